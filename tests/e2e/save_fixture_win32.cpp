#include "save_fixture_win32.h"

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

const TestVersion kEditWordVersions[3] = {
    {0x00090000, 0x00000BB8, 0x80000001, 0x00000000},
    {0x000A0000, 0x00001770, 0x00000010, 0x00000001},
    {0x000B0000, 0x00000002, 0x00000000, 0x80000000},
};
const TestVersion kEditCalcVersions[1] = {
    {0x00050001, 0x0A280001, 0x0000F000, 0x00010000},
};
const TestApp kEditTable[2] = {{"Winword.exe", 3, kEditWordVersions}, {"calc.exe", 1, kEditCalcVersions}};

const char kSaveQuestionText[] = "Save changes to Registory?";
const char kSaveFailedText[] = "Save was not completed successfully.";

void SaveE2ETest::StartWith(const TestApp* apps, int appCount, int modelPrinters)
{
    ASSERT_TRUE(AddTestPrinter("Alpha VRX-2260", "Generic Laser PS"));
    if (modelPrinters > 1) {
        ASSERT_TRUE(AddTestPrinter("Beta VRX-2260", "Generic Laser PS"));
    }
    ASSERT_TRUE(WriteTestTable(apps, appCount));
    ASSERT_TRUE(StartApp(app));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
}

AssertionResult SaveE2ETest::ClickFlag(int n)
{
    bool before = FlagChecked(n);
    AssertionResult clicked = ClickControl(app, IDC_FLAG01 + n - 1);
    if (!clicked)
        return clicked;
    if (FlagChecked(n) == before)
        return AssertionFailure() << "the click left box " << n << (before ? " checked" : " unchecked");
    return AssertionSuccess();
}

bool SaveE2ETest::FlagChecked(int n)
{
    return BoxChecked(Control(app, IDC_FLAG01 + n - 1));
}

AssertionResult SaveE2ETest::ClearSelection(int comboId)
{
    DWORD_PTR result = 0;
    SendWithin(Control(app, comboId), CB_SETCURSEL, static_cast<WPARAM>(-1), 0, &result);
    if (ComboSelection(Control(app, comboId)) != -1)
        return AssertionFailure() << "combo " << comboId << " still shows a selection";
    return Settle(app);
}

AssertionResult SaveE2ETest::StillRunning()
{
    AssertionResult settled = Settle(app);
    if (!settled)
        return settled;
    if (!IsWindow(app.window) || !IsWindowVisible(app.window))
        return AssertionFailure() << "the main window has gone";
    return SettleWithoutMessageBox(app);
}

std::vector<UINT> SaveE2ETest::MenuStates()
{
    std::vector<UINT> states;
    ProbeReport menu;
    EXPECT_TRUE(ReadMenu(app, menu));
    for (int i = 0; i < menu.itemCount; ++i)
        states.push_back(menu.items[i].state);
    return states;
}

KeyContents SaveE2ETest::EditedKey()
{
    TestVersion word[3] = {kEditWordVersions[0], kEditWordVersions[1], kEditWordVersions[2]};
    word[0].flagsLow |= 1u << 4;
    const TestApp edited[2] = {{"Winword.exe", 3, word}, kEditTable[1]};
    return KeyForTable(edited, 2);
}
