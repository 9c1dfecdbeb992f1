// The question "Save changes to Registory?" where edits would be lost: Exit,
// the close box and a printer change, each answer, and a save that fails at
// the question.
#include "save_fixture_win32.h"

namespace {

const char kAppNull[] = "Application is NULL\nRevise it";
const char kVersionNull[] = "VersionMS and LS is NULL\nRevise it";
const char kEmptyNameRefusal[] =
    "The table cannot be saved.\nAn application has an empty name.\n\nThe registry was not changed.";

class ClosingTest : public SaveE2ETest {
protected:
    KeyContents UnchangedKey() { return KeyForTable(kEditTable, 2, true); }

    // Leaving the application list with no row selected.
    ::testing::AssertionResult LeaveEmptyApplicationList()
    {
        ::testing::AssertionResult step = PressKey(app, 'A', MOD_ALT);
        if (step)
            step = ClearSelection(IDC_APPLICATION);
        if (step)
            step = PressKey(app, VK_TAB);
        return step;
    }
};

TEST_F(ClosingTest, ExitAnsweredCancelKeepsTheEditsThenNoClosesWithoutSaving)
{
    StartWith(kEditTable, 2);
    ASSERT_TRUE(ClickFlag(5));
    std::vector<UINT> menu = MenuStates();
    PostMessageA(app.window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(Answer(kSaveQuestionText, Buttons::YesNoCancel, IDCANCEL));
    ASSERT_TRUE(StillRunning());
    EXPECT_TRUE(FlagChecked(5));
    EXPECT_EQ(menu, MenuStates());
    EXPECT_TRUE(ControlsEnabled(app, true, true));
    EXPECT_TRUE(KeyHolds(UnchangedKey()));

    // The cancelled Exit leaves the checks on: leaving the list checks it.
    ASSERT_TRUE(LeaveEmptyApplicationList());
    ASSERT_TRUE(Answer(kAppNull, Buttons::Ok, IDOK));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ(0, ComboSelection(Control(app, IDC_APPLICATION)));

    // Still modified: the next Exit asks again; No closes and stores nothing.
    PostMessageA(app.window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(Answer(kSaveQuestionText, Buttons::YesNoCancel, IDNO, true));
    EXPECT_TRUE(ExitsWithZero());
    EXPECT_TRUE(KeyHolds(UnchangedKey()));
}

TEST_F(ClosingTest, ExitAnsweredYesStoresTheEditsAndCloses)
{
    StartWith(kEditTable, 2);
    ASSERT_TRUE(ClickFlag(5));
    PostMessageA(app.window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(Answer(kSaveQuestionText, Buttons::YesNoCancel, IDYES, true));
    EXPECT_TRUE(ExitsWithZero());
    EXPECT_EQ(1u, app.messages.size());
    EXPECT_TRUE(KeyHolds(EditedKey()));
}

TEST_F(ClosingTest, CloseBoxAnsweredYesStoresTheEditsAndCloses)
{
    StartWith(kEditTable, 2);
    ASSERT_TRUE(ClickFlag(5));
    PostMessageA(app.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(Answer(kSaveQuestionText, Buttons::YesNoCancel, IDYES, true));
    EXPECT_TRUE(ExitsWithZero());
    EXPECT_TRUE(KeyHolds(EditedKey()));
}

TEST_F(ClosingTest, CloseBoxCancelledTurnsTheListChecksOffUntilAnExitIsCancelled)
{
    StartWith(kEditTable, 2);
    ASSERT_TRUE(ClickFlag(5));
    ASSERT_EQ(IDC_FLAG01 + 4, FocusedControl(app));
    // Alt+F4 on a flag box: a combo box would swallow the Alt key.
    ASSERT_TRUE(PressKey(app, VK_F4, MOD_ALT));
    ASSERT_TRUE(Answer(kSaveQuestionText, Buttons::YesNoCancel, IDCANCEL));
    ASSERT_TRUE(StillRunning());
    EXPECT_TRUE(FlagChecked(5));

    // Neither list checks its text when it loses the focus now.
    ASSERT_TRUE(LeaveEmptyApplicationList());
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ(IDC_VERSION, FocusedControl(app));
    ASSERT_TRUE(ClearSelection(IDC_VERSION));
    ASSERT_TRUE(PressKey(app, VK_TAB));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ(IDC_FLAG01, FocusedControl(app));

    // Exit runs both checks itself, then asks; its Cancel turns them on again.
    PostMessageA(app.window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(Answer(kAppNull, Buttons::Ok, IDOK));
    ASSERT_TRUE(Answer(kVersionNull, Buttons::Ok, IDOK));
    ASSERT_TRUE(Answer(kSaveQuestionText, Buttons::YesNoCancel, IDCANCEL));
    ASSERT_TRUE(StillRunning());
    EXPECT_EQ(0, ComboSelection(Control(app, IDC_APPLICATION)));
    EXPECT_EQ(0, ComboSelection(Control(app, IDC_VERSION)));
    EXPECT_TRUE(FlagChecked(5));

    ASSERT_TRUE(LeaveEmptyApplicationList());
    ASSERT_TRUE(Answer(kAppNull, Buttons::Ok, IDOK));
    EXPECT_TRUE(StillRunning());
    EXPECT_TRUE(KeyHolds(UnchangedKey()));
}

TEST_F(ClosingTest, PrinterChangeAnsweredCancelKeepsTheEditsAndNoReloads)
{
    StartWith(kEditTable, 2, 2);
    ASSERT_EQ(2u, ComboRows(Control(app, IDC_PRINTER)).size());
    ASSERT_TRUE(ClickFlag(5));
    ASSERT_TRUE(PressKey(app, 'T', MOD_ALT));
    ASSERT_TRUE(PressKey(app, VK_DOWN));
    ASSERT_TRUE(Answer(kSaveQuestionText, Buttons::YesNoCancel, IDCANCEL));
    ASSERT_TRUE(StillRunning());
    EXPECT_EQ(0, ComboSelection(Control(app, IDC_PRINTER)));
    EXPECT_TRUE(FlagChecked(5));
    EXPECT_EQ(3u, ComboRows(Control(app, IDC_VERSION)).size());

    ASSERT_TRUE(PressKey(app, 'T', MOD_ALT));
    ASSERT_TRUE(PressKey(app, VK_DOWN));
    ASSERT_TRUE(Answer(kSaveQuestionText, Buttons::YesNoCancel, IDNO));
    ASSERT_TRUE(StillRunning());
    EXPECT_EQ(1, ComboSelection(Control(app, IDC_PRINTER)));
    EXPECT_TRUE(BoxesShow(app, kEditWordVersions[0]));
    EXPECT_TRUE(KeyHolds(UnchangedKey()));

    // The reload left nothing to save: Exit closes at once.
    PostMessageA(app.window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(ExitsWithZero());
    EXPECT_EQ(2u, app.messages.size());
}

// A stored application with an empty name loads, but the save refuses it
// before it touches the key; every question answered Yes must then keep the
// edits it was meant to keep.
TEST_F(ClosingTest, SaveThatFailsAtTheQuestionKeepsTheProgramAndTheEdits)
{
    const TestVersion a[1] = {{0x00010000, 0x00000000, 0x00000000, 0x00000000}};
    const TestApp unsavable[2] = {{"A.EXE", 1, a}, {"", 0, nullptr}};
    StartWith(unsavable, 2, 2);
    std::vector<std::string> apps = ComboRows(Control(app, IDC_APPLICATION));
    ASSERT_EQ(2u, apps.size());
    EXPECT_EQ("", apps[1]);
    const KeyContents stored = KeyForTable(unsavable, 2, true);
    ASSERT_TRUE(KeyHolds(stored));
    ASSERT_TRUE(ClickFlag(5));

    PostMessageA(app.window, WM_COMMAND, IDM_SAVE, 0);
    ASSERT_TRUE(Answer(kSaveQuestionText, Buttons::OkCancel, IDOK));
    ASSERT_TRUE(Answer(kEmptyNameRefusal, Buttons::Ok, IDOK));
    ASSERT_TRUE(Answer(kSaveFailedText, Buttons::Ok, IDOK));
    ASSERT_TRUE(StillRunning());
    EXPECT_TRUE(KeyHolds(stored));

    PostMessageA(app.window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(Answer(kSaveQuestionText, Buttons::YesNoCancel, IDYES));
    ASSERT_TRUE(Answer(kEmptyNameRefusal, Buttons::Ok, IDOK));
    ASSERT_TRUE(Answer(kSaveFailedText, Buttons::Ok, IDOK));
    ASSERT_TRUE(StillRunning());
    EXPECT_TRUE(FlagChecked(5));

    ASSERT_TRUE(PressKey(app, 'T', MOD_ALT));
    ASSERT_TRUE(PressKey(app, VK_DOWN));
    ASSERT_TRUE(Answer(kSaveQuestionText, Buttons::YesNoCancel, IDYES));
    ASSERT_TRUE(Answer(kEmptyNameRefusal, Buttons::Ok, IDOK));
    ASSERT_TRUE(Answer(kSaveFailedText, Buttons::Ok, IDOK));
    ASSERT_TRUE(StillRunning());
    EXPECT_EQ(0, ComboSelection(Control(app, IDC_PRINTER)));
    EXPECT_TRUE(FlagChecked(5));

    PostMessageA(app.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(Answer(kSaveQuestionText, Buttons::YesNoCancel, IDYES));
    ASSERT_TRUE(Answer(kEmptyNameRefusal, Buttons::Ok, IDOK));
    ASSERT_TRUE(Answer(kSaveFailedText, Buttons::Ok, IDOK));
    ASSERT_TRUE(StillRunning());
    EXPECT_TRUE(FlagChecked(5));
    EXPECT_TRUE(KeyHolds(stored));
}

}  // namespace
