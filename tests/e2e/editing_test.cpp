// Edits made on the real program and saved with the Save command: what the
// printer driver then finds in the key.
#include "input_dialog_win32.h"
#include "save_fixture_win32.h"

namespace {

class SavingTest : public SaveE2ETest {
protected:
    // Save, its question answered with `button`.
    ::testing::AssertionResult SaveWith(int button = IDOK)
    {
        PostMessageA(app.window, WM_COMMAND, IDM_SAVE, 0);
        ::testing::AssertionResult answered = Answer(kSaveQuestionText, Buttons::OkCancel, button);
        if (!answered)
            return answered;
        return SettleWithoutMessageBox(app);
    }
};

class EditingTest : public SavingTest {
protected:
    void SetUp() override
    {
        SavingTest::SetUp();
        if (!HasFatalFailure())
            StartWith(kEditTable, 2);
    }
};

TEST_F(EditingTest, ClickedBox05IsStoredByTheSaveAndNothingElse)
{
    // A value the table does not name: the save starts the key afresh.
    const DWORD stray = 7;
    PutValue("APP-WINWORD.EXE-07", REG_DWORD, &stray, sizeof stray);
    ASSERT_FALSE(FlagChecked(5));
    ASSERT_TRUE(ClickFlag(5));
    EXPECT_TRUE(FlagChecked(5));
    EXPECT_EQ(IDC_FLAG01 + 4, FocusedControl(app));

    // Cancel at the question stores nothing.
    ASSERT_TRUE(SaveWith(IDCANCEL));
    KeyContents before = KeyForTable(kEditTable, 2, true);
    before["APP-WINWORD.EXE-07"] = StoredValue{REG_DWORD, {7, 0, 0, 0}};
    EXPECT_TRUE(KeyHolds(before));

    ASSERT_TRUE(SaveWith());
    EXPECT_TRUE(KeyHolds(EditedKey()));
    const KeyContents stored = ReadKey();
    const StoredValue* first = FindValue(stored, "APP-WINWORD.EXE-01");
    ASSERT_NE(nullptr, first);
    ASSERT_EQ(20u, first->data.size());
    EXPECT_EQ(0x10u, first->Word(3) & 0x10u) << "bit 4 of flagsLow";
    EXPECT_EQ(kEditWordVersions[0].flagsHigh, first->Word(4));

    // Saved: Exit asks nothing more.
    PostMessageA(app.window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(ExitsWithZero());
    EXPECT_EQ(2u, app.messages.size());
}

TEST_F(EditingTest, ApplicationTypedInLowerCaseIsStoredInUpperCase)
{
    PostMessageA(app.window, WM_COMMAND, IDM_NEWAPP, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitForDialog(app, "Application and Version Input", dialog));
    ASSERT_TRUE(FillDialogField(app, dialog, IDC_NEWAPP_NAME, "notepad.exe"));
    EXPECT_EQ("NOTEPAD.EXE", FieldText(GetDlgItem(dialog, IDC_NEWAPP_NAME)));
    ASSERT_TRUE(FillDialogField(app, dialog, IDC_NEWAPP_MS, "5000a"));
    ASSERT_TRUE(FillDialogField(app, dialog, IDC_NEWAPP_LS, "2"));
    ASSERT_TRUE(ClickDialogControl(app, dialog, IDOK));
    ASSERT_TRUE(WaitForDialogClosed(app, dialog));
    ASSERT_TRUE(SettleWithoutMessageBox(app));

    std::vector<std::string> apps = ComboRows(Control(app, IDC_APPLICATION));
    ASSERT_EQ(3u, apps.size());
    EXPECT_EQ("NOTEPAD.EXE", apps[2]);
    EXPECT_EQ(2, ComboSelection(Control(app, IDC_APPLICATION)));
    EXPECT_EQ((Strings{"0005000A-00000002"}), ComboRows(Control(app, IDC_VERSION)));

    ASSERT_TRUE(SaveWith());
    const TestVersion notepad[1] = {{0x0005000A, 0x00000002, 0, 0}};
    const TestApp expected[3] = {kEditTable[0], kEditTable[1], {"NOTEPAD.EXE", 1, notepad}};
    EXPECT_TRUE(KeyHolds(KeyForTable(expected, 3)));
}

TEST_F(EditingTest, DeletedMiddleVersionLeavesTheOthersNumberedDensely)
{
    ASSERT_TRUE(PressKey(app, 'V', MOD_ALT));
    ASSERT_TRUE(PressKey(app, VK_DOWN));
    ASSERT_TRUE(BoxesShow(app, kEditWordVersions[1]));
    PostMessageA(app.window, WM_COMMAND, IDM_DELETEVERSION, 0);
    ASSERT_TRUE(Answer("Delete 000A0000-00001770 ?", Buttons::YesNo, IDYES));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ((Strings{VersionRow(kEditWordVersions[0]), VersionRow(kEditWordVersions[2])}),
              ComboRows(Control(app, IDC_VERSION)));
    EXPECT_TRUE(BoxesShow(app, kEditWordVersions[0]));

    ASSERT_TRUE(SaveWith());
    const TestVersion word[2] = {kEditWordVersions[0], kEditWordVersions[2]};
    const TestApp expected[2] = {{"Winword.exe", 2, word}, kEditTable[1]};
    EXPECT_TRUE(KeyHolds(KeyForTable(expected, 2)));
}

// Ctrl+Z takes the deletion back, with the selection it had: the save then
// stores the table as it was loaded.
TEST_F(EditingTest, DeletedApplicationTakenBackWithCtrlZIsSavedWhole)
{
    PostMessageA(app.window, WM_COMMAND, IDM_DELETEAPP, 0);
    ASSERT_TRUE(Answer("Delete Winword.exe and all it's versions?", Buttons::YesNo, IDYES));
    ASSERT_EQ((Strings{"CALC.EXE"}), ComboRows(Control(app, IDC_APPLICATION)));
    ASSERT_TRUE(PressKey(app, 'Z', MOD_CONTROL));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_TRUE(BoxesShow(app, kEditWordVersions[0])) << "Winword.exe selected again";

    ASSERT_TRUE(SaveWith());
    EXPECT_TRUE(KeyHolds(KeyForTable(kEditTable, 2)));
}

// Tables in which an application has no version yet, as another tool or an
// imported file may leave them.
class NewVersionTest : public SavingTest {
protected:
    ::testing::AssertionResult EnterNewVersion(const char* ms, const char* ls)
    {
        PostMessageA(app.window, WM_COMMAND, IDM_NEWVERSION, 0);
        HWND dialog = nullptr;
        ::testing::AssertionResult r = WaitForDialog(app, "Version Input", dialog);
        if (r)
            r = FillDialogField(app, dialog, IDC_NEWVER_MS, ms);
        if (r)
            r = FillDialogField(app, dialog, IDC_NEWVER_LS, ls);
        if (r)
            r = ClickDialogControl(app, dialog, IDOK);
        if (r)
            r = WaitForDialogClosed(app, dialog);
        if (r)
            r = SettleWithoutMessageBox(app);
        return r;
    }
};

const TestVersion kOneVersion[1] = {{0x00050000, 0x00000007, 0x00000011, 0x80000000}};
const TestVersion kEnteredVersion[1] = {{0x00010000, 0x00000001, 0, 0}};

TEST_F(NewVersionTest, LandsUnderTheSelectedApplicationThatHadNone)
{
    const TestApp stored[2] = {{"A.EXE", 1, kOneVersion}, {"B.EXE", 0, nullptr}};
    StartWith(stored, 2);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(PressKey(app, 'A', MOD_ALT));
    ASSERT_TRUE(PressKey(app, VK_DOWN));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    ASSERT_EQ(1, ComboSelection(Control(app, IDC_APPLICATION)));
    ASSERT_TRUE(ComboRows(Control(app, IDC_VERSION)).empty());

    ASSERT_TRUE(EnterNewVersion("00010000", "00000001"));
    EXPECT_EQ((Strings{"00010000-00000001"}), ComboRows(Control(app, IDC_VERSION)));

    // Back and forth: A.EXE still has its one version, B.EXE the new one.
    ASSERT_TRUE(PressKey(app, VK_UP));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ((Strings{VersionRow(kOneVersion[0])}), ComboRows(Control(app, IDC_VERSION)));
    ASSERT_TRUE(PressKey(app, VK_DOWN));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ((Strings{"00010000-00000001"}), ComboRows(Control(app, IDC_VERSION)));

    ASSERT_TRUE(SaveWith());
    const TestApp expected[2] = {{"A.EXE", 1, kOneVersion}, {"B.EXE", 1, kEnteredVersion}};
    EXPECT_TRUE(KeyHolds(KeyForTable(expected, 2)));
}

TEST_F(NewVersionTest, GivesTheOnlyApplicationItsFirstVersion)
{
    const TestApp stored[1] = {{"B.EXE", 0, nullptr}};
    StartWith(stored, 1);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(EnterNewVersion("00010000", "00000001"));
    EXPECT_EQ((Strings{"00010000-00000001"}), ComboRows(Control(app, IDC_VERSION)));

    ASSERT_TRUE(SaveWith());
    const TestApp expected[1] = {{"B.EXE", 1, kEnteredVersion}};
    EXPECT_TRUE(KeyHolds(KeyForTable(expected, 1)));
}

}  // namespace
