// The main window as it appears: its size and layout in menu-bar units, its
// controls and menu, and the ways it closes.
#include "e2e_fixture_win32.h"

#include <stdio.h>

class WindowTest : public SampleTableTest {
protected:
    // The menu-bar height the program measured; the figures below follow it.
    int Unit()
    {
        ProbeReport menu;
        EXPECT_TRUE(ReadMenu(app, menu));
        return menu.cyMenu;
    }
};

static ::testing::AssertionResult RectIs(const RECT& r, int x, int y, int width, int height)
{
    if (r.left == x && r.top == y && r.right - r.left == width && r.bottom - r.top == height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << r.left << ", " << r.top << ") " << r.right - r.left << " x "
                                         << r.bottom - r.top << ", expected (" << x << ", " << y << ") " << width
                                         << " x " << height;
}

TEST_F(WindowTest, FiguresForAMenuBarOf19Pixels)
{
    int u = Unit();
    ASSERT_EQ(GetSystemMetrics(SM_CYMENU), u) << "the driver and the program measure the menu bar alike";
    if (u != 19)
        GTEST_SKIP() << "SM_CYMENU is " << u << " here, not 19; the next test checks the figures for it";
    RECT w;
    GetWindowRect(app.window, &w);
    EXPECT_EQ(608, w.right - w.left);
    EXPECT_EQ(437, w.bottom - w.top);
    RECT printer = ClientRectOf(app, Control(app, IDC_PRINTER));
    EXPECT_EQ(532, printer.right - printer.left);
    RECT first = ClientRectOf(app, Control(app, IDC_FLAG01));
    EXPECT_TRUE(RectIs(first, 38, 149, 47, 19));
}

TEST_F(WindowTest, LayoutFollowsTheMenuBarHeight)
{
    int u = Unit();
    ASSERT_GT(u, 0);
    RECT w;
    GetWindowRect(app.window, &w);
    EXPECT_EQ(32 * u, w.right - w.left);
    EXPECT_EQ(23 * u, w.bottom - w.top);

    // A closed drop-down list is shorter than its 6u; x, y and width count.
    struct Combo {
        int id, x, y, width;
    };
    const Combo combos[] = {
        {IDC_PRINTER, u, 2 * u, 28 * u},
        {IDC_APPLICATION, u, 5 * u, 13 * u},
        {IDC_VERSION, 16 * u, 5 * u, 13 * u},
    };
    for (const Combo& c : combos) {
        RECT r = ClientRectOf(app, Control(app, c.id));
        EXPECT_EQ(c.x, r.left) << "combo " << c.id;
        EXPECT_EQ(c.y, r.top) << "combo " << c.id;
        EXPECT_EQ(c.width, r.right - r.left) << "combo " << c.id;
    }
    for (int n = 1; n <= 64; ++n) {
        int k = (n - 1) / 12, row = (n - 1) % 12;
        RECT r = ClientRectOf(app, Control(app, IDC_FLAG01 + n - 1));
        EXPECT_TRUE(RectIs(r, (2 + 5 * k) * u, (8 + row) * u - 3, (5 * u) / 2, u)) << "flag " << n;
    }
}

TEST_F(WindowTest, ControlsCarryTheirLabelsAndStyles)
{
    EXPECT_EQ("Deruverozad Adov Eduzed for Windows98/Me", WindowText(app.window));
    LONG style = GetWindowLongA(app.window, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    for (int n = 1; n <= 64; ++n) {
        HWND box = Control(app, IDC_FLAG01 + n - 1);
        char label[8];
        snprintf(label, sizeof label, "%02d", n);
        EXPECT_EQ(label, WindowText(box));
        LONG s = GetWindowLongA(box, GWL_STYLE);
        EXPECT_EQ(BS_AUTOCHECKBOX, s & 0x0F) << "flag " << n;
        EXPECT_TRUE(s & BS_LEFTTEXT) << "flag " << n;
    }
    for (int id : {IDC_PRINTER, IDC_APPLICATION, IDC_VERSION})
        EXPECT_EQ(CBS_DROPDOWNLIST, GetWindowLongA(Control(app, id), GWL_STYLE) & 3) << "combo " << id;
    EXPECT_TRUE(GetWindowLongA(Control(app, IDC_APPLICATION), GWL_STYLE) & CBS_UPPERCASE);
}

TEST_F(WindowTest, MenuHasItsItemsInOrder)
{
    struct Item {
        int depth;
        UINT id;
        const char* text;
    };
    const UINT popup = 0xFFFFFFFFu;
    const Item expected[] = {
        {0, popup, "&File"},
        {1, IDM_SAVE, "&Save"},
        {1, 0, ""},
        {1, IDM_IMPORT, "&Import..."},
        {1, IDM_EXPORT, "Ex&port..."},
        {1, 0, ""},
        {1, IDM_EXIT, "E&xit"},
        {0, popup, "&Edit"},
        {1, IDM_COPY, "&Copy"},
        {1, IDM_PASTE, "&Paste"},
        {1, 0, ""},
        {1, IDM_CLEARALL, "C&lear All"},
        {1, IDM_CHECKALL, "C&heck All"},
        {1, 0, ""},
        {1, IDM_NEWAPP, "New &Application..."},
        {1, IDM_NEWVERSION, "New &Version..."},
        {1, 0, ""},
        {1, IDM_DELETEAPP, "Delete Appl&ication"},
        {1, IDM_DELETEVERSION, "Delete V&ersion"},
        {1, 0, ""},
        {1, IDM_SORTVERSION, "&Sort Version"},
        {0, popup, "&Help"},
        {1, IDM_ABOUT, "&About..."},
    };
    const int count = sizeof expected / sizeof expected[0];
    ProbeReport menu;
    ASSERT_TRUE(ReadMenu(app, menu));
    ASSERT_EQ(count, menu.itemCount);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(expected[i].depth, menu.items[i].depth) << "item " << i;
        EXPECT_EQ(expected[i].id, menu.items[i].id) << "item " << i;
        EXPECT_STREQ(expected[i].text, menu.items[i].text) << "item " << i;
    }
}

TEST_F(WindowTest, ExitEndsTheProgramWithCodeZero)
{
    ASSERT_TRUE(PostMessageA(app.window, WM_COMMAND, IDM_EXIT, 0));
    EXPECT_TRUE(ExitsWithZero());
    EXPECT_TRUE(app.messages.empty());
}

TEST_F(WindowTest, AltF4EndsTheProgramWithCodeZero)
{
    // From a flag box: Wine's combo box swallows every Alt key
    // (WM_SYSKEYDOWN), so Alt+F4 on a focused combo box does nothing there.
    ASSERT_TRUE(PressKey(app, 'G', MOD_ALT));
    ASSERT_EQ(IDC_FLAG01, FocusedControl(app));
    // The settle after the keys cannot succeed when the program has already gone.
    (void)PressKey(app, VK_F4, MOD_ALT);
    EXPECT_TRUE(ExitsWithZero());
}

TEST_F(WindowTest, CloseBoxEndsTheProgram)
{
    ASSERT_TRUE(PostMessageA(app.window, WM_SYSCOMMAND, SC_CLOSE, 0));
    EXPECT_TRUE(ExitsWithZero());
}

TEST_F(WindowTest, MinimizesWithoutAQuestion)
{
    ASSERT_TRUE(PostMessageA(app.window, WM_SYSCOMMAND, SC_MINIMIZE, 0));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_TRUE(IsIconic(app.window));
}
