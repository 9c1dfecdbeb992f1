// Find Application, Find Next (F3) and Ctrl+S through the real main window:
// the dialog, the pick that a find ends in, the text check of the list left
// first, the message when nothing is found, and the keys of greyed items.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "main/commands_win32.h"
#include "main/focus_win32.h"
#include "main/main_window_win32.h"
#include "main/save_protocol_win32.h"
#include "main_window_harness.h"
#include "table_fixture_win32.h"
#include "resource.h"

namespace {

// What the Find Application dialog is answered with, and what it showed.
struct FindDialogScript {
    HWND owner;
    std::string type;  // the text put into the field
    int button;        // IDOK or IDCANCEL
    int opened;
    std::string shown;  // the field's text as the dialog opened
};
FindDialogScript findScript;

BOOL CALLBACK AnswerFindDialog(HWND w, LPARAM)
{
    char text[64] = "";
    GetClassNameA(w, text, sizeof text);
    if (std::string(text) != "#32770" || GetWindow(w, GW_OWNER) != findScript.owner || !IsWindowVisible(w))
        return TRUE;
    GetWindowTextA(w, text, sizeof text);
    if (std::string(text) != "Find Application")
        return TRUE;
    ++findScript.opened;
    GetDlgItemTextA(w, IDC_FIND_TEXT, text, sizeof text);
    findScript.shown = text;
    SetDlgItemTextA(w, IDC_FIND_TEXT, findScript.type.c_str());
    SendMessageA(w, WM_COMMAND, findScript.button, 0);
    return FALSE;
}

void CALLBACK WatchFindDialog(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerFindDialog, 0);
}

// The window's procedure with a recorder of the text checks in front: each
// check with the application current as it runs.
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
    // The command with the Find dialog, if it opens, answered as told.
    void FindWith(UINT command, const char* type, int button = IDOK)
    {
        findScript = {window, type, button, 0, ""};
        UINT_PTR timer = SetTimer(nullptr, 0, 30, WatchFindDialog);
        Command(command, 1);
        KillTimer(nullptr, timer);
    }

    // The application list and the table agree on the current application.
    int ShownApp() const
    {
        int row = static_cast<int>(SendMessageA(C().appCombo, CB_GETCURSEL, 0, 0));
        EXPECT_EQ(row, T().currentApp) << "the list shows another application than the table";
        return row;
    }

    // A key as the message loop hands it to the accelerators, with Ctrl down
    // or not.
    bool Key(WORD vk, bool control)
    {
        HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "MAINACCEL");
        BYTE keys[256];
        GetKeyboardState(keys);
        BYTE pressed[256];
        std::copy(keys, keys + 256, pressed);
        pressed[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(pressed);
        MSG key = {C().printerCombo, WM_KEYDOWN, vk, 0x00010001, 0, {0, 0}};
        bool translated = TranslateAcceleratorA(window, table, &key) != 0;
        SetKeyboardState(keys);
        PumpMessages(200);
        return translated;
    }
};

// Sample table: WINWORD.EXE, NOTEPAD.EXE, MSPAINT.EXE.
TEST_F(FindAndKeys, FindPicksTheNextNameHoldingTheTextAndF3FindsAgain)
{
    Start();
    ASSERT_EQ(0, ShownApp());
    checks.clear();
    mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordChecks)));
    // The version list has the focus: its text check runs before the pick.
    Command(IDM_GOTOVERSION, 1);
    checks.clear();

    FindWith(IDM_FIND, "t");  // in the middle of NOTEPAD.EXE, in lower case
    EXPECT_EQ(1, findScript.opened);
    EXPECT_EQ("", findScript.shown);
    EXPECT_EQ(1, ShownApp());
    ASSERT_FALSE(checks.empty());
    EXPECT_EQ(IDC_VERSION, checks[0].first);
    EXPECT_EQ(0, checks[0].second) << "the check ran after the pick";
    EXPECT_EQ(IDC_APPLICATION, FocusedControl());
    EXPECT_EQ(C().appCombo, GetFocus());
    // As a pick in the list: NOTEPAD.EXE's one version and its flags.
    EXPECT_EQ(std::vector<std::string>{"00050001-0A280000"}, ComboRows(C().versionCombo));
    EXPECT_EQ(0, SendMessageA(C().versionCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(BST_CHECKED, SendMessageA(C().flagBoxes[4], BM_GETCHECK, 0, 0)) << "flag 05";
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(C().flagBoxes[0], BM_GETCHECK, 0, 0)) << "flag 01";
    EXPECT_FALSE(MenuCommandEnabled(window, IDM_DELETEVERSION)) << "one version";

    FindWith(IDM_FINDNEXT, "unused");
    EXPECT_EQ(0, findScript.opened) << "F3 asks nothing once a text was looked for";
    EXPECT_EQ(2, ShownApp());
    EXPECT_EQ(2, SendMessageA(C().versionCombo, CB_GETCOUNT, 0, 0));
    Command(IDM_FINDNEXT, 1);
    EXPECT_EQ(1, ShownApp()) << "round past the last to the first";

    shownMessages.clear();
    FindWith(IDM_FIND, "WORDPAD");
    EXPECT_EQ("t", findScript.shown) << "the text looked for last";
    EXPECT_EQ(std::vector<std::string>{"Cannot find \"WORDPAD\"."}, ShownTexts());
    EXPECT_EQ(1, ShownApp()) << "the selection stays";

    shownMessages.clear();
    FindWith(IDM_FIND, "paint", IDCANCEL);
    EXPECT_EQ(1, ShownApp());
    Command(IDM_FINDNEXT, 1);
    EXPECT_EQ(1u, shownMessages.size()) << "F3 after a cancelled dialog looks for WORDPAD again";
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainProc));
}

TEST_F(FindAndKeys, CtrlSAndF3DoNothingWhileGreyedAndCtrlSSavesOnceLive)
{
    fakeSpooler.printers = {{"Office Laser", "FILE:", "Generic PS"}};
    ClearTableContents(MainFlagTable());
    window = MakeMainWindow(19);
    ASSERT_FALSE(MenuCommandEnabled(window, IDM_SAVE));
    ASSERT_FALSE(MenuCommandEnabled(window, IDM_FIND));
    shownMessages.clear();
    Key('S', true);
    FindWith(IDM_FINDNEXT, "x");
    EXPECT_TRUE(shownMessages.empty()) << "greyed Save asked " << ShownTexts()[0];
    EXPECT_EQ(0, findScript.opened) << "F3 opened Find while it was greyed";
    DestroyMainWindow(window);

    Start();
    ASSERT_TRUE(MenuCommandEnabled(window, IDM_SAVE));
    shownMessages.clear();
    answers = {IDCANCEL};
    EXPECT_TRUE(Key('S', true));
    EXPECT_EQ(std::vector<std::string>{kSaveQuestion}, ShownTexts());
    shownMessages.clear();
    Key('S', false);
    EXPECT_TRUE(shownMessages.empty()) << "S without Ctrl saved";
}

}  // namespace
