// Keyboard focus of the real program: Tab and Shift+Tab through the
// accelerator table, the Alt shortcuts, and the focus coming back when the
// window is activated again.
#include "e2e_fixture_win32.h"

// A key with its modifiers and the control that has the focus after it.
struct FocusStep {
    WORD vk;
    UINT modifiers;
    int expected;
};

class FocusTest : public SampleTableTest {
protected:
    // Each key pressed in turn; stops at the first step that ends elsewhere.
    void ExpectSteps(const std::vector<FocusStep>& steps)
    {
        for (size_t i = 0; i < steps.size(); ++i) {
            ASSERT_TRUE(PressKey(app, steps[i].vk, steps[i].modifiers)) << "step " << i;
            ASSERT_TRUE(SettleWithoutMessageBox(app)) << "step " << i;
            ASSERT_EQ(steps[i].expected, FocusedControl(app)) << "after step " << i;
        }
    }
};

// The 67 controls in Tab order.
static std::vector<int> Ring()
{
    std::vector<int> ring = {IDC_PRINTER, IDC_APPLICATION, IDC_VERSION};
    for (int id = IDC_FLAG01; id <= IDC_FLAG64; ++id)
        ring.push_back(id);
    return ring;
}

TEST_F(FocusTest, StartsOnThePrinterList)
{
    EXPECT_EQ(IDC_PRINTER, FocusedControl(app));
}

TEST_F(FocusTest, TabWalksTheWholeRingAndWrapsTo701)
{
    std::vector<int> ring = Ring();
    ASSERT_EQ(IDC_PRINTER, FocusedControl(app));
    std::vector<FocusStep> tabs;
    for (size_t i = 1; i <= ring.size(); ++i)
        tabs.push_back({VK_TAB, 0, ring[i % ring.size()]});
    ExpectSteps(tabs);
}

TEST_F(FocusTest, ShiftTabWalksTheRingBackwardsAndWrapsTo864)
{
    std::vector<int> ring = Ring();
    ASSERT_EQ(IDC_PRINTER, FocusedControl(app));
    std::vector<FocusStep> tabs;
    for (size_t i = 1; i <= ring.size(); ++i)
        tabs.push_back({VK_TAB, MOD_SHIFT, ring[(ring.size() - i) % ring.size()]});
    ExpectSteps(tabs);
}

TEST_F(FocusTest, WrapPointsBetweenListsAndBoxes)
{
    // From 701: to 864 and back, then across 703 / 801 both ways.
    ExpectSteps({
        {VK_TAB, MOD_SHIFT, IDC_FLAG64}, {VK_TAB, 0, IDC_PRINTER},         {'G', MOD_ALT, IDC_FLAG01},
        {VK_TAB, MOD_SHIFT, IDC_VERSION}, {VK_TAB, 0, IDC_FLAG01},          {VK_TAB, MOD_SHIFT, IDC_VERSION},
        {VK_TAB, MOD_SHIFT, IDC_APPLICATION}, {VK_TAB, MOD_SHIFT, IDC_PRINTER},
    });
}

TEST_F(FocusTest, AltShortcutsJumpToTheirGroupFromAnywhere)
{
    // Alt with and without Shift gives the capital and the small letter.
    ExpectSteps({
        {'G', MOD_ALT, IDC_FLAG01},
        {VK_TAB, 0, IDC_FLAG01 + 1},
        {'G', MOD_ALT, IDC_FLAG01},
        {'V', MOD_ALT, IDC_VERSION},
        {'G', MOD_ALT | MOD_SHIFT, IDC_FLAG01},
        {VK_TAB, MOD_SHIFT, IDC_VERSION},
        {VK_TAB, MOD_SHIFT, IDC_APPLICATION},
        {VK_TAB, MOD_SHIFT, IDC_PRINTER},
        {VK_TAB, MOD_SHIFT, IDC_FLAG64},
        {'G', MOD_ALT, IDC_FLAG01},
        {'T', MOD_ALT, IDC_PRINTER},
        {'A', MOD_ALT | MOD_SHIFT, IDC_APPLICATION},
        {'T', MOD_ALT | MOD_SHIFT, IDC_PRINTER},
        {'V', MOD_ALT | MOD_SHIFT, IDC_VERSION},
        {'A', MOD_ALT, IDC_APPLICATION},
        {'G', MOD_ALT, IDC_FLAG01},
        // The Alt shortcut leaves no menu open: Tab still moves the focus.
        {VK_TAB, 0, IDC_FLAG01 + 1},
    });
}

TEST_F(FocusTest, ComesBackToTheVersionListAfterAnotherWindowWasActive)
{
    ASSERT_TRUE(PressKey(app, 'V', MOD_ALT));
    ASSERT_EQ(IDC_VERSION, FocusedControl(app));
    ASSERT_TRUE(ActivateDriverWindow(app));
    EXPECT_NE(IDC_VERSION, FocusedControl(app)) << "the program kept the focus while inactive";
    ASSERT_TRUE(ActivateApp(app));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ(IDC_VERSION, FocusedControl(app));
    // And the ring goes on from there.
    ASSERT_TRUE(PressKey(app, VK_TAB));
    EXPECT_EQ(IDC_FLAG01, FocusedControl(app));
}

TEST_F(FocusTest, ComesBackToABoxReachedWithTab)
{
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(PressKey(app, VK_TAB, MOD_SHIFT));
    ASSERT_EQ(IDC_FLAG64 - 2, FocusedControl(app));
    ASSERT_TRUE(ActivateDriverWindow(app));
    ASSERT_TRUE(ActivateApp(app));
    EXPECT_EQ(IDC_FLAG64 - 2, FocusedControl(app));
}

TEST_F(FocusTest, ComesBackToAClickedBox)
{
    const int box37 = IDC_FLAG01 + 36;
    ASSERT_TRUE(ClickControl(app, box37));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    ASSERT_EQ(box37, FocusedControl(app));
    // The click toggled the box of flag 37 (clear in the first version).
    EXPECT_TRUE(BoxChecked(Control(app, box37)));
    ASSERT_TRUE(ActivateDriverWindow(app));
    ASSERT_TRUE(ActivateApp(app));
    EXPECT_EQ(box37, FocusedControl(app));
    ASSERT_TRUE(PressKey(app, VK_TAB));
    EXPECT_EQ(box37 + 1, FocusedControl(app));
}
