// The unsaved-changes protocol in the real main window, with the registry
// made to fail: the Save command, the question of Exit, the close box and a
// printer change, and AskSaveChanges and ClosingCheck themselves.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/message_box_win32.h"
#include "main/commands_win32.h"
#include "main/focus_win32.h"
#include "main/main_window_win32.h"
#include "main/save_protocol_win32.h"
#include "main_window_harness.h"
#include "printer_setup_win32.h"
#include "resource.h"
#include "base/platform_win32.h"
#include "stored_key_win32.h"

namespace {

const char kSaveFailed[] = "Save was not completed successfully.";
const char kAppNull[] = "Application is NULL\nRevise it";

LONG WINAPI CreateKeyDenied(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD)
{
    return ERROR_ACCESS_DENIED;
}

// Every value but APPINFO is written.
LONG WINAPI SetValueDeniedForAppInfo(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                                     DWORD size)
{
    if (type == REG_SZ)
        return ERROR_ACCESS_DENIED;
    return RegSetValueExA(key, name, reserved, type, data, size);
}

std::string StoredAppInfo()
{
    const KeyContents key = ReadKey();
    const StoredValue* info = FindValue(key, "APPINFO");
    return info ? std::string(info->data.begin(), info->data.end()).c_str() : "<no APPINFO>";
}

class SaveProtocol : public RealMainWindow {
protected:
    void SetUp() override
    {
        RealMainWindow::SetUp();
        ASSERT_EQ(std::string("03WINWORD.EXE;01NOTEPAD.EXE;02MSPAINT.EXE;"), StoredAppInfo());
    }

    void Start(int printers = 1)
    {
        RealMainWindow::Start(printers);
        ASSERT_TRUE(shownMessages.empty()) << shownMessages[0].text;
        ASSERT_EQ(3, MainFlagTable().appCount);
    }

    // Clear All on the first version: modified, and flags the key lacks.
    void Edit()
    {
        Command(IDM_CLEARALL);
        ASSERT_EQ(1u, T().modified);
        ASSERT_EQ(0u, T().entries[0].flagsLow);
        ASSERT_NE(0u, kSampleApps[0].versions[0].flagsLow);
    }

    void ExpectShown(const std::vector<std::string>& texts)
    {
        EXPECT_EQ(texts, ShownTexts());
        for (const ShownMessage& s : shownMessages)
            EXPECT_EQ(window, s.owner) << s.text;
    }

    // Leaving the application list with no row selected.
    void LeaveEmptyApplicationList()
    {
        FocusControl(E(), IDC_APPLICATION);
        SendMessageA(C().appCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        FocusControl(E(), IDC_VERSION);
        PumpMessages(200);
    }
};

TEST_F(SaveProtocol, SaveCommandWhoseKeyCannotBeCreatedKeepsModifiedAndSavesLater)
{
    Start();
    Edit();
    platform.createKey = CreateKeyDenied;
    Command(IDM_SAVE);
    ExpectShown({kSaveQuestion, "Open Printer fail\nCode=5", kSaveFailed});
    ASSERT_EQ(3u, shownMessages.size());
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), shownMessages[0].type);
    EXPECT_EQ(static_cast<UINT>(MB_OK), shownMessages[1].type);
    EXPECT_EQ(static_cast<UINT>(MB_OK), shownMessages[2].type);
    EXPECT_EQ(1u, T().modified);
    EXPECT_EQ(0u, T().entries[0].flagsLow) << "the edit is still in memory";

    platform.createKey = kSystemPlatform.createKey;
    shownMessages.clear();
    Command(IDM_SAVE);
    ExpectShown({kSaveQuestion});
    EXPECT_EQ(0u, T().modified);
    EXPECT_EQ(std::string("03WINWORD.EXE;01NOTEPAD.EXE;02MSPAINT.EXE;"), StoredAppInfo());
}

TEST_F(SaveProtocol, SaveCommandAsksAlsoWhenNothingChangedAndCancelWritesNothing)
{
    Start();
    ASSERT_EQ(0u, T().modified);
    platform.createKey = CreateKeyDenied;  // a save that ran would show
    answers = {IDCANCEL};
    Command(IDM_SAVE);
    ExpectShown({kSaveQuestion});
    EXPECT_EQ(0u, T().modified);
    EXPECT_NE("<no key>", StoredAppInfo()) << "Cancel deleted the key";

    platform.createKey = kSystemPlatform.createKey;
    shownMessages.clear();
    Command(IDM_SAVE);
    ExpectShown({kSaveQuestion});
    EXPECT_EQ(0u, T().modified);
}

TEST_F(SaveProtocol, AskSaveChangesAnswersAndNeverTouchesModified)
{
    Start();
    // Nothing modified: no question at all.
    EXPECT_EQ(SaveAnswer::No, AskSaveChanges(T(), C(), kSaveQuestion));
    EXPECT_TRUE(shownMessages.empty());

    Edit();
    answers = {IDNO};
    EXPECT_EQ(SaveAnswer::No, AskSaveChanges(T(), C(), kExportQuestion));
    ASSERT_EQ(1u, shownMessages.size());
    EXPECT_EQ(kExportQuestion, shownMessages[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION), shownMessages[0].type);
    answers = {IDCANCEL};
    EXPECT_EQ(SaveAnswer::Cancel, AskSaveChanges(T(), C(), kSaveQuestion));

    // Yes saves, and the table is still marked.
    answers = {IDYES};
    shownMessages.clear();
    EXPECT_EQ(SaveAnswer::Yes, AskSaveChanges(T(), C(), kSaveQuestion));
    ExpectShown({kSaveQuestion});
    EXPECT_EQ(1u, T().modified);

    // A failed save answers Cancel, so the caller keeps the edits.
    platform.setValue = SetValueDeniedForAppInfo;
    answers = {IDYES};
    shownMessages.clear();
    EXPECT_EQ(SaveAnswer::Cancel, AskSaveChanges(T(), C(), kSaveQuestion));
    ExpectShown({kSaveQuestion, "SetPrinterData fail(sz)\nCode=5", kSaveFailed});
    EXPECT_EQ(1u, T().modified);
}

TEST_F(SaveProtocol, ClosingCheckRunsBothListChecksBeforeTheQuestion)
{
    Start();
    Edit();
    SendMessageA(C().appCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(C().versionCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    answers = {IDOK, IDOK, IDCANCEL};
    EXPECT_FALSE(CloseBoxCheck(E()));
    ExpectShown({kAppNull, "VersionMS and LS is NULL\nRevise it", kSaveQuestion});
    EXPECT_EQ(0, SendMessageA(C().appCombo, CB_GETCURSEL, 0, 0)) << "the check put the row back";
    // Both suppress flags are set: losing the focus starts no check.
    SendMessageA(C().appCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    shownMessages.clear();
    Command(IDC_APPLICATION, CBN_KILLFOCUS, C().appCombo);
    Command(IDC_VERSION, CBN_KILLFOCUS, C().versionCombo);
    EXPECT_TRUE(shownMessages.empty());
    SendMessageA(C().appCombo, CB_SETCURSEL, 0, 0);

    answers = {IDNO};
    shownMessages.clear();
    EXPECT_TRUE(CloseBoxCheck(E()));
    ExpectShown({kSaveQuestion});
    // Nothing to save: the checks run, no question.
    Command(IDM_SAVE);
    shownMessages.clear();
    EXPECT_TRUE(CloseBoxCheck(E()));
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(SaveProtocol, ExitWhoseSaveFailsStaysOpenWithTheEditsAndTheChecksOn)
{
    Start();
    Edit();
    platform.setValue = SetValueDeniedForAppInfo;
    answers = {IDYES};
    Command(IDM_EXIT);
    ExpectShown({kSaveQuestion, "SetPrinterData fail(sz)\nCode=5", kSaveFailed});
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(1u, T().modified);
    EXPECT_EQ(0u, T().entries[0].flagsLow);

    shownMessages.clear();
    LeaveEmptyApplicationList();
    ExpectShown({kAppNull});
}

TEST_F(SaveProtocol, CloseBoxWhoseSaveFailsStaysOpenWithTheChecksOff)
{
    Start();
    Edit();
    platform.setValue = SetValueDeniedForAppInfo;
    answers = {IDYES};
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages(500);
    ExpectShown({kSaveQuestion, "SetPrinterData fail(sz)\nCode=5", kSaveFailed});
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(1u, T().modified);

    shownMessages.clear();
    LeaveEmptyApplicationList();
    EXPECT_TRUE(shownMessages.empty()) << shownMessages[0].text;
    SendMessageA(C().appCombo, CB_SETCURSEL, 0, 0);
}

TEST_F(SaveProtocol, PrinterChangeWhoseSaveFailsSelectsThePreviousPrinter)
{
    Start(2);
    Edit();
    platform.createKey = CreateKeyDenied;
    answers = {IDYES};
    SendMessageA(C().printerCombo, CB_SETCURSEL, 1, 0);
    Command(IDC_PRINTER, CBN_SELCHANGE, C().printerCombo);
    ExpectShown({kSaveQuestion, "Open Printer fail\nCode=5", kSaveFailed});
    EXPECT_EQ(0, SendMessageA(C().printerCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(1u, T().modified);
    EXPECT_EQ(0u, T().entries[0].flagsLow) << "the table was reloaded";

    // Yes with a save that works: saved, then the other printer's load.
    platform.createKey = kSystemPlatform.createKey;
    answers = {IDYES};
    shownMessages.clear();
    SendMessageA(C().printerCombo, CB_SETCURSEL, 1, 0);
    Command(IDC_PRINTER, CBN_SELCHANGE, C().printerCombo);
    ExpectShown({kSaveQuestion});
    EXPECT_EQ(1, SendMessageA(C().printerCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(0u, T().modified);
    EXPECT_EQ(0u, T().entries[0].flagsLow) << "the saved edit came back with the load";
}

}  // namespace
