// OnCommand through the real main window: the start-up sequence with and
// without a printer, the enabling states it leaves, the selection changes of
// the lists, the focus commands, the keys of Undo, Redo, Find and Save, and
// the pick a Find ends in.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "main/commands_win32.h"
#include "main/focus_win32.h"
#include "main/main_window_win32.h"
#include "main/save_protocol_win32.h"
#include "main_window_harness.h"
#include "printer/printer_list_win32.h"
#include "printer_setup_win32.h"
#include "resource.h"
#include "window_search_win32.h"

namespace {

const UINT kFileCommands[] = {IDM_SAVE, IDM_IMPORT, IDM_EXPORT, IDM_NEWAPP};
const UINT kTableCommands[] = {IDM_COPY, IDM_CLEARALL, IDM_CHECKALL, IDM_NEWVERSION, IDM_DELETEAPP, IDM_FIND};
const UINT kSecondVersionCommands[] = {IDM_DELETEVERSION, IDM_SORTVERSION};
const UINT kAlwaysCommands[] = {IDM_ABOUT, IDM_EXIT};

// The main window's procedure with a recorder in front of it.
std::vector<WPARAM> validateCommands;
std::vector<int> validateApps;  // the current application at each
WNDPROC mainProc = nullptr;

LRESULT CALLBACK RecordValidate(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == NOTIFY_VALIDATE) {
        validateCommands.push_back(LOWORD(wParam));
        validateApps.push_back(MainFlagTable().currentApp);
    }
    return CallWindowProcA(mainProc, window, message, wParam, lParam);
}

const TestVersion kOneVersion[] = {{0x00010000, 0x00000002, 0x00000001, 0x80000000}};
const TestApp kSingleVersionTable[] = {{"calc.exe", 1, kOneVersion}};

class Commands : public RealMainWindow {
protected:
    void SetUp() override
    {
        RealMainWindow::SetUp();
        validateCommands.clear();
    }

    void ExpectMenu(const UINT* commands, size_t n, bool enabled, const char* what)
    {
        for (size_t i = 0; i < n; ++i)
            EXPECT_EQ(enabled, MenuCommandEnabled(window, commands[i])) << what << " command " << commands[i];
    }

    // The whole menu and every control: the command groups, Paste, About and
    // Exit always, the printer list and the editing controls.
    void ExpectLook(bool file, bool table, bool versions, bool paste, bool printer, bool editing)
    {
        ExpectMenu(kFileCommands, 4, file, "file");
        ExpectMenu(kTableCommands, std::size(kTableCommands), table, "table");
        ExpectMenu(kSecondVersionCommands, 2, versions, "versions");
        ExpectMenu(kAlwaysCommands, 2, true, "always");
        EXPECT_EQ(paste, MenuCommandEnabled(window, IDM_PASTE));
        EXPECT_EQ(printer, IsWindowEnabled(C().printerCombo) != FALSE);
        EXPECT_TRUE(EditingControlsEnabled(C(), editing));
    }

    std::vector<int> CheckedFlags() const
    {
        std::vector<int> checked;
        for (int k = 0; k < 64; ++k) {
            if (SendMessageA(C().flagBoxes[k], BM_GETCHECK, 0, 0) == BST_CHECKED)
                checked.push_back(k + 1);
        }
        return checked;
    }
};

TEST_F(Commands, StartupWithPrinterLoadsTheTable)
{
    Start();
    EXPECT_TRUE(shownMessages.empty());
    EXPECT_EQ(1, E().printerFound);
    EXPECT_EQ(std::vector<std::string>{"Front VRX-2260;FILE:;Kavix VRX-2260 PS"}, ComboRows(C().printerCombo));
    EXPECT_EQ(0, SendMessageA(C().printerCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"WINWORD.EXE", "NOTEPAD.EXE", "MSPAINT.EXE"}), ComboRows(C().appCombo));
    EXPECT_EQ((std::vector<std::string>{"00090000-00000B5E", "000A0000-00001A2B", "000B0000-00000001"}),
              ComboRows(C().versionCombo));
    EXPECT_EQ((std::vector<int>{1, 3}), CheckedFlags());
    EXPECT_EQ(0, MainFlagTable().modified);
    EXPECT_EQ(3, MainFlagTable().appCount);

    ExpectLook(true, true, true, false, true, true);  // three versions

    EXPECT_EQ(IDC_PRINTER, E().focusedControl);
    EXPECT_EQ(C().printerCombo, GetFocus());
}

TEST_F(Commands, StartupWithoutPrinterGreysEverythingButAboutAndExit)
{
    fakeSpooler.printers = {{"Office Laser", "FILE:", "Generic PS"}};
    // The table outlives windows in this process; start it empty.
    ClearTableContents(MainFlagTable());
    window = MakeMainWindow(19);
    EXPECT_EQ(std::vector<std::string>{"There is no VRX-2260 found."}, ShownTexts());
    EXPECT_EQ(0, E().printerFound);
    EXPECT_EQ(0, MainFlagTable().appCount) << "no load without a printer";
    EXPECT_EQ(0, SendMessageA(C().appCombo, CB_GETCOUNT, 0, 0));

    ExpectLook(false, false, false, false, false, false);
    EXPECT_EQ(IDC_PRINTER, E().focusedControl);
}

TEST_F(Commands, StartupWithPrinterAndNoStoredTable)
{
    DeleteTestTable();
    Start();
    EXPECT_TRUE(shownMessages.empty());
    EXPECT_EQ(0, MainFlagTable().appCount);
    ExpectLook(true, false, false, false, true, false);
}

TEST_F(Commands, OneVersionGreysDeleteAndSortVersion)
{
    ASSERT_EQ(1, WriteTestTable(kSingleVersionTable, 1));
    Start();
    ExpectMenu(kTableCommands, std::size(kTableCommands), true, "table");
    ExpectMenu(kSecondVersionCommands, 2, false, "one version:");
    EXPECT_EQ((std::vector<int>{1, 64}), CheckedFlags());
}

TEST_F(Commands, ApplicationChangeFillsItsVersionsAndRulesVersionCommands)
{
    Start();
    SendMessageA(C().appCombo, CB_SETCURSEL, 2, 0);
    Command(IDC_APPLICATION, CBN_SELCHANGE, C().appCombo);
    EXPECT_EQ(2, MainFlagTable().currentApp);
    EXPECT_EQ((std::vector<std::string>{"00040000-00000950", "00050000-00000001"}), ComboRows(C().versionCombo));
    EXPECT_EQ(0, SendMessageA(C().versionCombo, CB_GETCURSEL, 0, 0));
    EXPECT_TRUE(CheckedFlags().empty());
    ExpectMenu(kSecondVersionCommands, 2, true, "two versions:");

    SendMessageA(C().appCombo, CB_SETCURSEL, 1, 0);
    Command(IDC_APPLICATION, CBN_SELCHANGE, C().appCombo);
    EXPECT_EQ(1, MainFlagTable().currentApp);
    EXPECT_EQ(std::vector<std::string>{"00050001-0A280000"}, ComboRows(C().versionCombo));
    EXPECT_EQ(std::vector<int>{5}, CheckedFlags());
    ExpectMenu(kSecondVersionCommands, 2, false, "one version:");
    EXPECT_EQ(0, MainFlagTable().modified);
}

TEST_F(Commands, VersionChangeShowsThatEntrysFlags)
{
    Start();
    SendMessageA(C().versionCombo, CB_SETCURSEL, 1, 0);
    Command(IDC_VERSION, CBN_SELCHANGE, C().versionCombo);
    EXPECT_EQ(1, MainFlagTable().currentEntry);
    EXPECT_EQ((std::vector<int>{1, 3, 17, 64}), CheckedFlags());
    SendMessageA(C().versionCombo, CB_SETCURSEL, 2, 0);
    Command(IDC_VERSION, CBN_SETFOCUS, C().versionCombo);
    EXPECT_EQ(2, MainFlagTable().currentEntry);
    EXPECT_EQ(IDC_VERSION, E().focusedControl);
}

TEST_F(Commands, VersionChangeWithoutSelectionKeepsTheEntryInTheTable)
{
    Start();
    MainFlagTable().currentVersionRow = -1;
    SendMessageA(C().versionCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Command(IDC_VERSION, CBN_SELCHANGE, C().versionCombo);
    EXPECT_LT(MainFlagTable().currentEntry, MainFlagTable().entryCount);
}

TEST_F(Commands, PrinterChangeReloadsAndClearsModified)
{
    Start();
    FlagTable& t = MainFlagTable();
    Command(IDM_CHECKALL);
    ASSERT_EQ(1, t.modified);
    Command(IDC_PRINTER, CBN_SELCHANGE, C().printerCombo);
    EXPECT_EQ(5u, t.entries[0].flagsLow) << "the stored table again";
    EXPECT_EQ(0, t.modified);
    EXPECT_EQ(3, SendMessageA(C().appCombo, CB_GETCOUNT, 0, 0));
    EXPECT_FALSE(MenuCommandEnabled(window, IDM_PASTE));
}

TEST_F(Commands, ApplicationFocusWithoutSelectionChangesNothing)
{
    Start();
    FlagTable& t = MainFlagTable();
    t.currentApp = 1;
    SendMessageA(C().appCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Command(IDC_APPLICATION, CBN_SETFOCUS, C().appCombo);
    EXPECT_EQ(1, t.currentApp);
    EXPECT_EQ(IDC_PRINTER, E().focusedControl);
    SendMessageA(C().appCombo, CB_SETCURSEL, 2, 0);
    Command(IDC_APPLICATION, CBN_SETFOCUS, C().appCombo);
    EXPECT_EQ(2, t.currentApp);
    EXPECT_EQ(IDC_APPLICATION, E().focusedControl);
}

struct FocusCase {
    uint16_t from;
    UINT command;
    uint16_t expected;
};

TEST_F(Commands, FocusCommandsWalkTheRing)
{
    Start();
    const FocusCase cases[] = {
        {701, IDM_NEXTCONTROL, 702},     {702, IDM_NEXTCONTROL, 703},     {703, IDM_NEXTCONTROL, 801},
        {801, IDM_NEXTCONTROL, 802},     {812, IDM_NEXTCONTROL, 813},     {864, IDM_NEXTCONTROL, 701},
        {701, IDM_PREVCONTROL, 864},     {801, IDM_PREVCONTROL, 703},     {703, IDM_PREVCONTROL, 702},
        {813, IDM_PREVCONTROL, 812},     {864, IDM_PREVCONTROL, 863},     {837, IDM_GOTOFLAGS, 801},
        {701, IDM_GOTOFLAGS, 801},       {864, IDM_GOTOPRINTER, 701},     {801, IDM_GOTOAPP, 702},
        {701, IDM_GOTOVERSION, 703},
    };
    for (const FocusCase& c : cases) {
        FocusControl(E(), c.from);
        Command(c.command, 1);
        EXPECT_EQ(c.expected, E().focusedControl) << "from " << c.from << " command " << c.command;
        EXPECT_EQ(RingControlHandle(C(), c.expected), GetFocus())
            << "from " << c.from << " command " << c.command;
    }
}

TEST_F(Commands, AcceleratorKeysReachTheFocusCommands)
{
    Start();
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "MAINACCEL");
    ASSERT_NE(nullptr, table);
    BYTE keys[256];
    GetKeyboardState(keys);

    FocusControl(E(), 864);
    MSG tab = {C().flagBoxes[63], WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {0, 0}};
    EXPECT_TRUE(TranslateAcceleratorA(window, table, &tab));
    EXPECT_EQ(IDC_PRINTER, E().focusedControl);

    BYTE shifted[256];
    std::copy(keys, keys + 256, shifted);
    shifted[VK_SHIFT] = 0x80;
    SetKeyboardState(shifted);
    MSG backTab = {C().printerCombo, WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {0, 0}};
    EXPECT_TRUE(TranslateAcceleratorA(window, table, &backTab));
    SetKeyboardState(keys);
    EXPECT_EQ(IDC_FLAG64, E().focusedControl);

    // Alt+letter arrives as WM_SYSCHAR with the context bit set; Wine looks
    // at the key state of Alt instead, so both say Alt is down.
    BYTE alted[256];
    std::copy(keys, keys + 256, alted);
    alted[VK_MENU] = 0x80;
    SetKeyboardState(alted);
    const struct {
        char key;
        uint16_t expected;
    } alts[] = {{'g', 801}, {'T', 701}, {'a', 702}, {'V', 703}, {'G', 801}, {'t', 701}};
    for (const auto& alt : alts) {
        MSG msg = {GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(alt.key), 0x20000001, 0, {0, 0}};
        EXPECT_TRUE(TranslateAcceleratorA(window, table, &msg)) << alt.key;
        EXPECT_EQ(alt.expected, E().focusedControl) << "Alt+" << alt.key;
    }
    SetKeyboardState(keys);
    DestroyAcceleratorTable(table);
}

// A menu item as the user opens the Edit menu: its text, and " (greyed)"
// when it is.
std::string EditMenuItem(HWND window, UINT command)
{
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(GetMenu(window), 1)), 1);
    char text[96] = "";
    GetMenuStringA(GetMenu(window), command, text, sizeof text, MF_BYCOMMAND);
    return text + std::string(MenuCommandEnabled(window, command) ? "" : " (greyed)");
}

// The Undo and Redo items name the step they take and are greyed without
// one as the menu opens; Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z reach them from any
// control, and a greyed item's key does nothing, also while the menu has
// not been opened since.
TEST_F(Commands, UndoAndRedoNameTheirStepAndTheirKeysAct)
{
    Start();
    const FlagTable& t = T();
    const uint32_t loaded = t.entries[0].flagsLow;
    auto expectItems = [&](const char* undo, const char* redo, const char* when) {
        EXPECT_EQ(undo, EditMenuItem(window, IDM_UNDO)) << when;
        EXPECT_EQ(redo, EditMenuItem(window, IDM_REDO)) << when;
    };
    expectItems("&Undo\tCtrl+Z (greyed)", "&Redo\tCtrl+Y (greyed)", "loaded");

    SendMessageA(C().flagBoxes[4], BM_CLICK, 0, 0);
    PumpMessages(200);
    ASSERT_EQ(loaded | 0x10u, t.entries[0].flagsLow);
    expectItems("&Undo Flag 05\tCtrl+Z", "&Redo\tCtrl+Y (greyed)", "a click");
    PressKey(C().versionCombo, 'Z', true);
    EXPECT_EQ(loaded, t.entries[0].flagsLow);
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(C().flagBoxes[4], BM_GETCHECK, 0, 0));
    EXPECT_EQ(0, t.modified) << "back at the load";
    expectItems("&Undo\tCtrl+Z (greyed)", "&Redo Flag 05\tCtrl+Y", "undone");
    PressKey(C().printerCombo, 'Z', true, true);
    EXPECT_EQ(loaded | 0x10u, t.entries[0].flagsLow) << "Ctrl+Shift+Z";
    EXPECT_EQ(1, t.modified);

    answers = {IDYES};
    Command(IDM_DELETEAPP);
    ASSERT_EQ(2, t.appCount);
    expectItems("&Undo Delete Application\tCtrl+Z", "&Redo\tCtrl+Y (greyed)", "deleted");
    PressKey(C().appCombo, 'Z', true);
    EXPECT_EQ((std::vector<std::string>{"WINWORD.EXE", "NOTEPAD.EXE", "MSPAINT.EXE"}), ComboRows(C().appCombo));
    EXPECT_EQ(3, SendMessageA(C().versionCombo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(C().appCombo, CB_GETCURSEL, 0, 0));
    PressKey(C().flagBoxes[63], 'Y', true);
    EXPECT_EQ(2, t.appCount);
    EXPECT_EQ(1u, shownMessages.size()) << "Undo and Redo say nothing";

    expectItems("&Undo Delete Application\tCtrl+Z", "&Redo\tCtrl+Y (greyed)", "redone");
    Command(IDC_PRINTER, CBN_SELCHANGE, C().printerCombo);
    ASSERT_EQ(3, t.appCount) << "loaded again";
    PressKey(C().flagBoxes[0], 'Z', true);
    EXPECT_EQ(3, t.appCount) << "nothing to undo after a load";
    expectItems("&Undo\tCtrl+Z (greyed)", "&Redo\tCtrl+Y (greyed)", "loaded again");
}

// How the Find Application dialog is answered, and what it showed.
struct {
    HWND owner;
    std::string type;
    int opened;
    std::string shown;  // the field as the dialog opened
} findDialog;

void CALLBACK AnswerFindDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = FindThreadDialog(GetCurrentThreadId(), "Find Application", findDialog.owner);
    if (!dialog)
        return;
    ++findDialog.opened;
    char text[64] = "";
    GetDlgItemTextA(dialog, IDC_FIND_TEXT, text, sizeof text);
    findDialog.shown = text;
    SetDlgItemTextA(dialog, IDC_FIND_TEXT, findDialog.type.c_str());
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
}

class FindAndKeys : public Commands {
protected:
    void FindWith(UINT command, const char* type)
    {
        findDialog = {window, type, 0, ""};
        UINT_PTR timer = SetTimer(nullptr, 0, 30, AnswerFindDialog);
        Command(command, 1);
        KillTimer(nullptr, timer);
    }

    // The row the application list selects, which must be the table's.
    int ShownApp() const
    {
        int row = static_cast<int>(SendMessageA(C().appCombo, CB_GETCURSEL, 0, 0));
        EXPECT_EQ(row, T().currentApp);
        return row;
    }
};

// The sample table: WINWORD.EXE, NOTEPAD.EXE, MSPAINT.EXE.
TEST_F(FindAndKeys, FindPicksTheNextNameHoldingTheTextAndF3FindsAgain)
{
    Start();
    FindWith(IDM_FIND, "t");  // in the middle of NOTEPAD.EXE, in lower case
    EXPECT_EQ(1, ShownApp());
    EXPECT_EQ(C().appCombo, GetFocus());
    EXPECT_EQ(std::vector<int>{5}, CheckedFlags()) << "NOTEPAD.EXE's flags, as a pick in the list shows them";

    mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordValidate)));
    Command(IDM_GOTOVERSION, 1);
    validateCommands.clear();
    validateApps.clear();
    FindWith(IDM_FINDNEXT, "unused");
    EXPECT_EQ(0, findDialog.opened) << "F3 asks nothing once a text was looked for";
    EXPECT_EQ(2, ShownApp());
    ASSERT_FALSE(validateCommands.empty());
    EXPECT_EQ(IDC_VERSION, validateCommands[0]) << "the version list's check first";
    EXPECT_EQ(1, validateApps[0]) << "the version list's check before the pick";

    shownMessages.clear();
    FindWith(IDM_FIND, "WORDPAD");
    EXPECT_EQ("t", findDialog.shown) << "the text looked for last";
    EXPECT_EQ(std::vector<std::string>{"Cannot find \"WORDPAD\"."}, ShownTexts());
    EXPECT_EQ(2, ShownApp()) << "the selection stays";
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainProc));
}

TEST_F(FindAndKeys, CtrlSAndF3DoNothingWhileGreyedAndCtrlSSavesLive)
{
    fakeSpooler.printers = {{"Office Laser", "FILE:", "Generic PS"}};
    ClearTableContents(MainFlagTable());
    window = MakeMainWindow(19);
    ASSERT_FALSE(MenuCommandEnabled(window, IDM_SAVE));
    ASSERT_FALSE(MenuCommandEnabled(window, IDM_FIND));
    shownMessages.clear();
    PressKey(C().printerCombo, 'S', true);
    FindWith(IDM_FINDNEXT, "x");
    EXPECT_EQ(std::vector<std::string>{}, ShownTexts()) << "greyed Save asked";
    EXPECT_EQ(0, findDialog.opened) << "F3 opened Find while it was greyed";
    DestroyMainWindow(window);

    Start();
    shownMessages.clear();
    answers = {IDCANCEL};
    EXPECT_TRUE(PressKey(C().printerCombo, 'S', true));
    PressKey(C().printerCombo, 'S', false);
    EXPECT_EQ(std::vector<std::string>{kSaveQuestion}, ShownTexts());
}

TEST_F(Commands, FocusReturnsToTheLastControl)
{
    Start();
    FocusControl(E(), 837);
    SetFocus(window);
    EXPECT_EQ(C().flagBoxes[36], GetFocus());
    EXPECT_EQ(837, E().focusedControl);
}

TEST_F(Commands, LeavingAListSendsItsCheck)
{
    Start();
    mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordValidate)));
    FocusControl(E(), IDC_APPLICATION);
    EXPECT_TRUE(validateCommands.empty()) << "leaving the printer list checks nothing";
    FocusControl(E(), IDC_VERSION);
    EXPECT_EQ(std::vector<WPARAM>{IDC_APPLICATION}, validateCommands);
    FocusControl(E(), IDC_FLAG01);
    EXPECT_EQ((std::vector<WPARAM>{IDC_APPLICATION, IDC_VERSION}), validateCommands);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainProc));
}

// Closes the dialog that the About command shows, and records its caption.
struct AboutWatch {
    HWND owner;
    std::string caption;
    DWORD deadline;
};
AboutWatch aboutWatch;

BOOL CALLBACK CloseOwnedDialog(HWND w, LPARAM)
{
    char cls[16] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) != "#32770" || GetWindow(w, GW_OWNER) != aboutWatch.owner || !IsWindowVisible(w))
        return TRUE;
    char text[128] = "";
    GetWindowTextA(w, text, sizeof text);
    aboutWatch.caption = text;
    // OK first; EndDialog only if the dialog ignores it.
    if (GetTickCount() < aboutWatch.deadline)
        SendMessageA(w, WM_COMMAND, IDOK, 0);
    else
        EndDialog(w, 0);
    return FALSE;
}

void CALLBACK WatchAbout(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), CloseOwnedDialog, 0);
}

TEST_F(Commands, AboutShowsTheAboutBoxOwnedByTheWindow)
{
    Start();
    aboutWatch = {window, "", GetTickCount() + 5000};
    UINT_PTR timer = SetTimer(nullptr, 0, 50, WatchAbout);
    SendMessageA(window, WM_COMMAND, IDM_ABOUT, 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ("About Deruverozad Adov Eduzed", aboutWatch.caption);
    EXPECT_TRUE(IsWindowEnabled(window)) << "the owner is enabled again";
}

TEST_F(Commands, UnknownIdsAndCodesDoNothing)
{
    Start();
    EXPECT_EQ(nullptr, FindCommandRow(IDC_PRINTER, CBN_DROPDOWN));
    EXPECT_EQ(nullptr, FindCommandRow(12345, 0));
    EXPECT_EQ(nullptr, FindCommandRow(IDC_FLAG01 - 1, BN_CLICKED));
    EXPECT_NE(nullptr, FindCommandRow(IDM_STARTUP, 0));
    EXPECT_NE(nullptr, FindCommandRow(IDC_VERSION, CBN_SETFOCUS));
    // Sent to the window, none of them changes the table, the focus record
    // or the menu, and none shows a message.
    auto before = std::make_unique<FlagTable>(MainFlagTable());
    const EditorSnapshot state = SnapshotOf(T(), E().printerFound);
    const WPARAM unknown[] = {MAKEWPARAM(12345, 0), MAKEWPARAM(IDC_PRINTER, CBN_DROPDOWN),
                              MAKEWPARAM(IDC_FLAG01 - 1, BN_CLICKED), MAKEWPARAM(IDC_FLAG64 + 1, BN_CLICKED),
                              MAKEWPARAM(805, BN_DOUBLECLICKED), MAKEWPARAM(IDC_VERSION, CBN_DROPDOWN)};
    for (WPARAM w : unknown) {
        SendMessageA(window, WM_COMMAND, w, 0);
        PumpMessages(200);
        EXPECT_EQ(0, std::memcmp(before.get(), &MainFlagTable(), sizeof(FlagTable))) << "command " << LOWORD(w);
        EXPECT_EQ(IDC_PRINTER, E().focusedControl) << "command " << LOWORD(w);
        EXPECT_TRUE(shownMessages.empty()) << "command " << LOWORD(w);
    }
    EXPECT_EQ(state.currentVersions, SnapshotOf(T(), E().printerFound).currentVersions);
    EXPECT_FALSE(MenuCommandEnabled(window, IDM_PASTE));
    EXPECT_TRUE(MenuCommandEnabled(window, IDM_DELETEVERSION));
}

}  // namespace
