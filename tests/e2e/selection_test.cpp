// Picking another application or version, by notification and by keyboard
// on the closed lists.
#include "e2e_fixture_win32.h"

using SelectionTest = SampleTableTest;

TEST_F(SelectionTest, AnotherApplicationShowsItsVersionsAndFlags)
{
    const TestApp& word = kSampleTable[0];
    const TestApp& calc = kSampleTable[1];
    ASSERT_TRUE(SelectComboRow(app, IDC_APPLICATION, 1));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ((Strings{VersionRow(calc.versions[0])}), ComboRows(Control(app, IDC_VERSION)));
    EXPECT_EQ(0, ComboSelection(Control(app, IDC_VERSION)));
    EXPECT_TRUE(BoxesShow(app, calc.versions[0]));
    EXPECT_TRUE(MenuCommandsAre(app, kVersionCommands, 2, false));

    ASSERT_TRUE(SelectComboRow(app, IDC_APPLICATION, 0));
    std::vector<std::string> versions = ComboRows(Control(app, IDC_VERSION));
    ASSERT_EQ(2u, versions.size());
    EXPECT_EQ(VersionRow(word.versions[1]), versions[1]);
    EXPECT_TRUE(BoxesShow(app, word.versions[0]));
    EXPECT_TRUE(MenuCommandsAre(app, kVersionCommands, 2, true));
}

TEST_F(SelectionTest, AnotherVersionShowsItsFlags)
{
    const TestApp& word = kSampleTable[0];
    ASSERT_TRUE(SelectComboRow(app, IDC_VERSION, 1));
    EXPECT_TRUE(BoxesShow(app, word.versions[1]));
    ASSERT_TRUE(SelectComboRow(app, IDC_VERSION, 0));
    EXPECT_TRUE(BoxesShow(app, word.versions[0]));
    EXPECT_TRUE(SettleWithoutMessageBox(app));
}

TEST_F(SelectionTest, ArrowKeysOnTheClosedListsChangeTheSelection)
{
    const TestApp& word = kSampleTable[0];
    const TestApp& calc = kSampleTable[1];
    ASSERT_TRUE(PressKey(app, 'V', MOD_ALT));
    ASSERT_EQ(IDC_VERSION, FocusedControl(app));
    ASSERT_TRUE(PressKey(app, VK_DOWN));
    EXPECT_EQ(1, ComboSelection(Control(app, IDC_VERSION)));
    EXPECT_TRUE(BoxesShow(app, word.versions[1]));
    ASSERT_TRUE(PressKey(app, VK_UP));
    EXPECT_EQ(0, ComboSelection(Control(app, IDC_VERSION)));
    EXPECT_TRUE(BoxesShow(app, word.versions[0]));

    ASSERT_TRUE(PressKey(app, 'A', MOD_ALT));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    ASSERT_EQ(IDC_APPLICATION, FocusedControl(app));
    ASSERT_TRUE(PressKey(app, VK_DOWN));
    EXPECT_EQ(1, ComboSelection(Control(app, IDC_APPLICATION)));
    EXPECT_EQ((Strings{VersionRow(calc.versions[0])}), ComboRows(Control(app, IDC_VERSION)));
    EXPECT_TRUE(BoxesShow(app, calc.versions[0]));
    EXPECT_TRUE(MenuCommandsAre(app, kVersionCommands, 2, false));
    EXPECT_TRUE(SettleWithoutMessageBox(app));
}

using PrinterChangeTest = E2ETest;

TEST_F(PrinterChangeTest, AnotherPrinterReloadsTheStoredTableWithoutAQuestion)
{
    ASSERT_TRUE(AddTestPrinter("Alpha VRX-2260", "Generic Laser PS"));
    ASSERT_TRUE(AddTestPrinter("Beta VRX-2260", "Generic Laser PS"));
    ASSERT_TRUE(WriteTestTable(kSampleTable, 2));
    ASSERT_TRUE(StartApp(app));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    ASSERT_EQ(2u, ComboRows(Control(app, IDC_APPLICATION)).size());

    // The key changes behind the program's back; the pick of another
    // printer shows what is stored now.
    ASSERT_TRUE(WriteTestTable(kSampleTableOneVersionFirst, 1));
    ASSERT_TRUE(SelectComboRow(app, IDC_PRINTER, 1));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ((Strings{"CALC.EXE"}), ComboRows(Control(app, IDC_APPLICATION)));
    EXPECT_EQ(1, ComboSelection(Control(app, IDC_PRINTER)));
    EXPECT_TRUE(BoxesShow(app, kSampleTableOneVersionFirst[0].versions[0]));
    EXPECT_TRUE(MenuCommandsAre(app, kVersionCommands, 2, false));

    // An empty key: the editing controls go off, the printer list stays on.
    ASSERT_TRUE(DeleteTestTable());
    ASSERT_TRUE(SelectComboRow(app, IDC_PRINTER, 0));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_TRUE(ComboRows(Control(app, IDC_APPLICATION)).empty());
    EXPECT_TRUE(ControlsEnabled(app, true, false));
    EXPECT_TRUE(MenuCommandsAre(app, kEditCommands, 5, false));
    EXPECT_TRUE(app.messages.empty());
}
