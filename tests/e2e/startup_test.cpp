// Start-up of the real program: printer discovery, the first load and the
// enabled state that each outcome leaves.
#include "e2e_fixture_win32.h"


class StartupTest : public E2ETest {
protected:
    void ExpectOneNoPrinterMessage()
    {
        ASSERT_TRUE(Answer("There is no VRX-2260 found.", Buttons::Ok, IDOK));
        // Once: nothing follows after the OK.
        ASSERT_TRUE(SettleWithoutMessageBox(app));
        EXPECT_EQ(1u, app.messages.size());
    }
};

static void ExpectNoPrinterState(AppProcess& app)
{
    EXPECT_TRUE(LooksLike(app, kNoPrinterLook));
    EXPECT_TRUE(ComboRows(Control(app, IDC_PRINTER)).empty());
    EXPECT_TRUE(ComboRows(Control(app, IDC_APPLICATION)).empty());
}

TEST_F(StartupTest, WithoutAnyPrinterSaysSoOnceAndLocksTheEditor)
{
    ASSERT_TRUE(WriteTestTable(kSampleTable, 2));  // never loaded
    ASSERT_TRUE(StartApp(app));
    ExpectOneNoPrinterMessage();
    ExpectNoPrinterState(app);
    EXPECT_TRUE(ComboRows(Control(app, IDC_VERSION)).empty());
}

TEST_F(StartupTest, WithPrintersOfOtherModelsOnlySaysSoOnce)
{
    ASSERT_TRUE(AddTestPrinter(kOtherPrinter, "Generic Laser PS"));
    // The model in other letters does not count.
    ASSERT_TRUE(AddTestPrinter("Reception vrx-2260", "Generic Laser PS"));
    ASSERT_TRUE(StartApp(app));
    ExpectOneNoPrinterMessage();
    ExpectNoPrinterState(app);
}

TEST_F(StartupTest, WithPrinterAndNoKeyOnlyFileCommandsAndPrinterListWork)
{
    ASSERT_TRUE(AddTestPrinter(kModelPrinter, "Kavix VRX-2260 PS"));
    ASSERT_TRUE(StartApp(app));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_TRUE(app.messages.empty());

    EXPECT_EQ((Strings{kModelPrinterRow}), ComboRows(Control(app, IDC_PRINTER)));
    EXPECT_EQ(0, ComboSelection(Control(app, IDC_PRINTER)));
    EXPECT_TRUE(ComboRows(Control(app, IDC_APPLICATION)).empty());
    EXPECT_TRUE(ComboRows(Control(app, IDC_VERSION)).empty());

    EXPECT_TRUE(LooksLike(app, kNoTableLook));
    EXPECT_EQ(IDC_PRINTER, FocusedControl(app));
}

TEST_F(StartupTest, EmptyStoredTableIsLikeNoKey)
{
    StartWithTable(nullptr, 0);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(ComboRows(Control(app, IDC_APPLICATION)).empty());
    EXPECT_TRUE(LooksLike(app, kNoTableLook));
}

TEST_F(StartupTest, ListsOnlyPrintersOfTheModelInSpoolerOrder)
{
    // Wine's spooler lists printers by name. The model may stand in the name
    // or in the driver name.
    ASSERT_TRUE(AddTestPrinter("Alpha VRX-2260", "Generic Laser PS"));
    ASSERT_TRUE(AddTestPrinter(kOtherPrinter, "Generic Laser PS"));
    ASSERT_TRUE(AddTestPrinter("Gamma", "Kavix VRX-2260 PS"));
    ASSERT_TRUE(StartApp(app));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ((Strings{"Alpha VRX-2260;FILE:;Generic Laser PS", "Gamma;FILE:;Kavix VRX-2260 PS"}),
              ComboRows(Control(app, IDC_PRINTER)));
    EXPECT_EQ(0, ComboSelection(Control(app, IDC_PRINTER)));
}

TEST_F(StartupTest, WithStoredTableShowsFirstApplicationAndItsFirstVersion)
{
    StartWithSampleTable();
    if (HasFatalFailure())
        return;
    EXPECT_TRUE(app.messages.empty());
    // The list shows the names in capitals, in stored order.
    EXPECT_EQ((Strings{"WINWORD.EXE", "CALC.EXE"}), ComboRows(Control(app, IDC_APPLICATION)));
    EXPECT_EQ(0, ComboSelection(Control(app, IDC_APPLICATION)));

    const TestApp& word = kSampleTable[0];
    EXPECT_EQ((Strings{VersionRow(word.versions[0]), VersionRow(word.versions[1])}),
              ComboRows(Control(app, IDC_VERSION)));
    EXPECT_EQ(0, ComboSelection(Control(app, IDC_VERSION)));
    EXPECT_TRUE(BoxesShow(app, word.versions[0]));

    // Two versions of the first application.
    EXPECT_TRUE(LooksLike(app, kTwoVersionsLook));
    EXPECT_EQ(IDC_PRINTER, FocusedControl(app));
}

TEST_F(StartupTest, FirstApplicationWithOneVersionGreysDeleteAndSortVersion)
{
    StartWithTable(kSampleTableOneVersionFirst, 2);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ((Strings{VersionRow(kSampleTableOneVersionFirst[0].versions[0])}), ComboRows(Control(app, IDC_VERSION)));
    EXPECT_TRUE(BoxesShow(app, kSampleTableOneVersionFirst[0].versions[0]));
    EXPECT_TRUE(LooksLike(app, kOneVersionLook));
}
