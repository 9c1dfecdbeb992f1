// Find Application, Find Next (F3) and Ctrl+S through the real main window:
// the pick a find ends in, the text check of the list left first, the
// message when nothing is found, and the keys of greyed items.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "main/focus_win32.h"
#include "main/main_window_win32.h"
#include "main/save_protocol_win32.h"
#include "main_window_harness.h"
#include "resource.h"
#include "table_fixture_win32.h"

namespace {

// How the Find Application dialog is answered, and what it showed.
struct {
    HWND owner;
    std::string type;
    int button;
    int opened;
    std::string shown;  // the field as the dialog opened
} findDialog;

BOOL CALLBACK AnswerFindDialog(HWND w, LPARAM)
{
    char text[64] = "";
    GetWindowTextA(w, text, sizeof text);
    if (GetWindow(w, GW_OWNER) != findDialog.owner || !IsWindowVisible(w) || std::string(text) != "Find Application")
        return TRUE;
    ++findDialog.opened;
    GetDlgItemTextA(w, IDC_FIND_TEXT, text, sizeof text);
    findDialog.shown = text;
    SetDlgItemTextA(w, IDC_FIND_TEXT, findDialog.type.c_str());
    SendMessageA(w, WM_COMMAND, findDialog.button, 0);
    return FALSE;
}

void CALLBACK WatchFindDialog(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerFindDialog, 0);
}

// Each text check with the application current as it ran.
std::vector<std::pair<UINT, int>> checks;
WNDPROC mainProc = nullptr;

LRESULT CALLBACK RecordChecks(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == NOTIFY_VALIDATE)
        checks.push_back({LOWORD(wParam), MainFlagTable().currentApp});
    return CallWindowProcA(mainProc, window, message, wParam, lParam);
}

class FindAndKeys : public RealMainWindow {
protected:
    void FindWith(UINT command, const char* type, int button = IDOK)
    {
        findDialog = {window, type, button, 0, ""};
        UINT_PTR timer = SetTimer(nullptr, 0, 30, WatchFindDialog);
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

    // A key as the message loop hands it to the accelerators.
    bool Key(WORD vk, bool control)
    {
        BYTE keys[256], pressed[256];
        GetKeyboardState(keys);
        std::copy(keys, keys + 256, pressed);
        pressed[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(pressed);
        MSG key = {C().printerCombo, WM_KEYDOWN, vk, 0x00010001, 0, {0, 0}};
        bool translated = TranslateAcceleratorA(window, LoadAcceleratorsA(GetModuleHandleA(nullptr), "MAINACCEL"), &key);
        SetKeyboardState(keys);
        PumpMessages(200);
        return translated;
    }
};

// The sample table: WINWORD.EXE, NOTEPAD.EXE, MSPAINT.EXE.
TEST_F(FindAndKeys, FindPicksTheNextNameHoldingTheTextAndF3FindsAgain)
{
    Start();
    FindWith(IDM_FIND, "t");  // in the middle of NOTEPAD.EXE, in lower case
    EXPECT_EQ(1, ShownApp());
    EXPECT_EQ(C().appCombo, GetFocus());
    // As a pick in the list: NOTEPAD.EXE's version, its flags, the enabling.
    EXPECT_EQ(std::vector<std::string>{"00050001-0A280000"}, ComboRows(C().versionCombo));
    EXPECT_EQ(BST_CHECKED, SendMessageA(C().flagBoxes[4], BM_GETCHECK, 0, 0)) << "flag 05";
    EXPECT_FALSE(MenuCommandEnabled(window, IDM_DELETEVERSION)) << "one version";

    mainProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordChecks)));
    Command(IDM_GOTOVERSION, 1);
    checks.clear();
    FindWith(IDM_FINDNEXT, "unused");
    EXPECT_EQ(0, findDialog.opened) << "F3 asks nothing once a text was looked for";
    EXPECT_EQ(2, ShownApp());
    ASSERT_FALSE(checks.empty());
    EXPECT_EQ((std::pair<UINT, int>(IDC_VERSION, 1)), checks[0]) << "the version list's check before the pick";
    Command(IDM_FINDNEXT, 1);
    EXPECT_EQ(1, ShownApp()) << "round past the last to the first";

    shownMessages.clear();
    FindWith(IDM_FIND, "WORDPAD");
    EXPECT_EQ("t", findDialog.shown) << "the text looked for last";
    EXPECT_EQ(std::vector<std::string>{"Cannot find \"WORDPAD\"."}, ShownTexts());
    EXPECT_EQ(1, ShownApp()) << "the selection stays";
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
    Key('S', true);
    FindWith(IDM_FINDNEXT, "x");
    EXPECT_EQ(std::vector<std::string>{}, ShownTexts()) << "greyed Save asked";
    EXPECT_EQ(0, findDialog.opened) << "F3 opened Find while it was greyed";
    DestroyMainWindow(window);

    Start();
    shownMessages.clear();
    answers = {IDCANCEL};
    EXPECT_TRUE(Key('S', true));
    Key('S', false);
    EXPECT_EQ(std::vector<std::string>{kSaveQuestion}, ShownTexts());
}

}  // namespace
