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
