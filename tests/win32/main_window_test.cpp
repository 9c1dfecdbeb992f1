// The real main window made in this process: its layout, controls, menu,
// accelerators, strings, icon, version block, painting and its end.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/res_text_win32.h"
#include "main/commands_win32.h"
#include "main/layout.h"
#include "main/main_window_win32.h"
#include "main_window_harness.h"
#include "printer_setup_win32.h"
#include "resource.h"

namespace {

RECT ClientRectOf(HWND window, HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The real main window laid out for a menu bar of 19 pixels, no table stored.
class MainWindow : public RealMainWindow {
protected:
    void SetUp() override
    {
        RealMainWindow::SetUp();
        DeleteTestTable();
        window = MakeMainWindow(19);
    }
};

TEST_F(MainWindow, LayoutForMenuHeight19)
{
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(608, outer.right - outer.left);
    EXPECT_EQ(437, outer.bottom - outer.top);

    const MainControls& c = MainWindowControls();
    const struct {
        HWND combo;
        int x, y, width;
    } combos[] = {{c.printerCombo, 19, 38, 532}, {c.appCombo, 19, 95, 247}, {c.versionCombo, 304, 95, 247}};
    for (const auto& k : combos) {
        RECT r = ClientRectOf(window, k.combo);
        EXPECT_EQ(k.x, r.left) << "combo " << GetDlgCtrlID(k.combo);
        EXPECT_EQ(k.y, r.top) << "combo " << GetDlgCtrlID(k.combo);
        EXPECT_EQ(k.width, r.right - r.left) << "combo " << GetDlgCtrlID(k.combo);
    }

    for (int k = 0; k < 64; ++k) {
        RECT box = ClientRectOf(window, c.flagBoxes[k]);
        Rect expected = FlagBoxRect(k, 19);
        EXPECT_EQ(expected.x, box.left) << "flag " << k + 1;
        EXPECT_EQ(expected.y, box.top) << "flag " << k + 1;
        EXPECT_EQ(47, box.right - box.left) << "flag " << k + 1;
        EXPECT_EQ(19, box.bottom - box.top) << "flag " << k + 1;
    }
    RECT first = ClientRectOf(window, c.flagBoxes[0]);
    EXPECT_EQ(149, first.top);
}

TEST_F(MainWindow, RealMenuHeightSizesTheWindow)
{
    int u = GetSystemMetrics(SM_CYMENU);
    DestroyMainWindow(window);
    window = MakeMainWindow(u);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(32 * u, outer.right - outer.left) << "cyUnit " << u;
    EXPECT_EQ(23 * u, outer.bottom - outer.top) << "cyUnit " << u;
    RECT box = ClientRectOf(window, MainWindowControls().flagBoxes[63]);
    EXPECT_EQ(27 * u, box.left);
    EXPECT_EQ(11 * u - 3, box.top);
}

TEST_F(MainWindow, ClassTitleAndStyle)
{
    char text[128] = "";
    GetClassNameA(window, text, sizeof text);
    EXPECT_STREQ("APPEDIT", text);
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ("Deruverozad Adov Eduzed for Windows98/Me", text);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_NE(nullptr, reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON)));
    EXPECT_EQ(nullptr, reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)));
}

TEST_F(MainWindow, ControlsCarryTheirIdsLabelsAndStyles)
{
    const MainControls& c = MainWindowControls();
    EXPECT_EQ(c.printerCombo, GetDlgItem(window, IDC_PRINTER));
    EXPECT_EQ(c.appCombo, GetDlgItem(window, IDC_APPLICATION));
    EXPECT_EQ(c.versionCombo, GetDlgItem(window, IDC_VERSION));
    EXPECT_TRUE(GetWindowLongA(c.appCombo, GWL_STYLE) & CBS_UPPERCASE);
    EXPECT_EQ(CBS_DROPDOWNLIST, GetWindowLongA(c.printerCombo, GWL_STYLE) & 3);
    EXPECT_EQ(CBS_DROPDOWNLIST, GetWindowLongA(c.versionCombo, GWL_STYLE) & 3);
    HFONT gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(gui, reinterpret_cast<HFONT>(SendMessageA(c.versionCombo, WM_GETFONT, 0, 0)));
    for (int k = 0; k < 64; ++k) {
        char expected[4];
        std::snprintf(expected, sizeof expected, "%02d", k + 1);
        char label[16] = "";
        GetWindowTextA(c.flagBoxes[k], label, sizeof label);
        EXPECT_STREQ(expected, label) << "box " << k;
        EXPECT_EQ(801 + k, GetDlgCtrlID(c.flagBoxes[k]));
        LONG style = GetWindowLongA(c.flagBoxes[k], GWL_STYLE);
        EXPECT_EQ(BS_AUTOCHECKBOX, style & 0x0F) << "box " << k;
        EXPECT_TRUE(style & BS_LEFTTEXT) << "box " << k;
        EXPECT_EQ(gui, reinterpret_cast<HFONT>(SendMessageA(c.flagBoxes[k], WM_GETFONT, 0, 0)));
    }
}

struct MenuRow {
    UINT id;  // 0 for a separator
    const char* text;
    bool grayed;
};

void ExpectPopup(HMENU menu, int position, const char* title, const std::vector<MenuRow>& rows)
{
    char text[64] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(title, text);
    HMENU popup = GetSubMenu(menu, position);
    ASSERT_NE(nullptr, popup) << title;
    ASSERT_EQ(static_cast<int>(rows.size()), GetMenuItemCount(popup)) << title;
    for (size_t i = 0; i < rows.size(); ++i) {
        UINT state = GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
        if (rows[i].id == 0) {
            EXPECT_TRUE(state & MF_SEPARATOR) << title << " item " << i;
            continue;
        }
        EXPECT_EQ(rows[i].id, GetMenuItemID(popup, static_cast<int>(i))) << title << " item " << i;
        GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(rows[i].text, text);
        EXPECT_EQ(rows[i].grayed, (state & MF_GRAYED) != 0) << rows[i].text;
    }
}

TEST(MainResources, MenuTemplate)
{
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "MENU");
    ASSERT_NE(nullptr, menu);
    ASSERT_EQ(3, GetMenuItemCount(menu));
    ExpectPopup(menu, 0, "&File",
                {{IDM_SAVE, "&Save\tCtrl+S", false},
                 {0, "", false},
                 {IDM_IMPORT, "&Import...", false},
                 {IDM_EXPORT, "Ex&port...", false},
                 {0, "", false},
                 {IDM_EXIT, "E&xit", false}});
    ExpectPopup(menu, 1, "&Edit",
                {{IDM_UNDO, "&Undo\tCtrl+Z", true},
                 {IDM_REDO, "&Redo\tCtrl+Y", true},
                 {0, "", false},
                 {IDM_COPY, "&Copy", false},
                 {IDM_PASTE, "&Paste", true},
                 {0, "", false},
                 {IDM_CLEARALL, "C&lear All", false},
                 {IDM_CHECKALL, "C&heck All", false},
                 {0, "", false},
                 {IDM_NEWAPP, "New &Application...", false},
                 {IDM_NEWVERSION, "New &Version...", false},
                 {0, "", false},
                 {IDM_DELETEAPP, "Delete Appl&ication", false},
                 {IDM_DELETEVERSION, "Delete V&ersion", false},
                 {0, "", false},
                 {IDM_SORTVERSION, "&Sort Version", false},
                 {0, "", false},
                 {IDM_FIND, "&Find Application...\tCtrl+F", false}});
    ExpectPopup(menu, 2, "&Help", {{IDM_ABOUT, "&About...", false}});
    DestroyMenu(menu);
}

TEST(MainResources, AcceleratorsAreTheFocusCommandsAndTheKeysOfMenuItemsAllHandled)
{
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "MAINACCEL");
    ASSERT_NE(nullptr, table);
    ACCEL accels[32];
    int n = CopyAcceleratorTableA(table, accels, 32);
    struct Expected {
        BYTE fVirt;
        WORD key;
        WORD cmd;
        const char* menuText;  // the item's text, which names the key; null: no menu item
    };
    const Expected expected[] = {
        {FVIRTKEY | FNOINVERT, VK_TAB, IDM_NEXTCONTROL, nullptr},
        {FVIRTKEY | FSHIFT | FNOINVERT, VK_TAB, IDM_PREVCONTROL, nullptr},
        {FVIRTKEY | FCONTROL | FNOINVERT, 'Z', IDM_UNDO, "&Undo\tCtrl+Z"},
        {FVIRTKEY | FCONTROL | FNOINVERT, 'Y', IDM_REDO, "&Redo\tCtrl+Y"},
        {FVIRTKEY | FCONTROL | FSHIFT | FNOINVERT, 'Z', IDM_REDO, "&Redo\tCtrl+Y"},
        {FALT | FNOINVERT, 'a', IDM_GOTOAPP, nullptr},
        {FALT | FNOINVERT, 'A', IDM_GOTOAPP, nullptr},
        {FALT | FNOINVERT, 'g', IDM_GOTOFLAGS, nullptr},
        {FALT | FNOINVERT, 'G', IDM_GOTOFLAGS, nullptr},
        {FALT | FNOINVERT, 't', IDM_GOTOPRINTER, nullptr},
        {FALT | FNOINVERT, 'T', IDM_GOTOPRINTER, nullptr},
        {FALT | FNOINVERT, 'v', IDM_GOTOVERSION, nullptr},
        {FALT | FNOINVERT, 'V', IDM_GOTOVERSION, nullptr},
        {FVIRTKEY | FCONTROL | FNOINVERT, 'S', IDM_SAVE, "&Save\tCtrl+S"},
        {FVIRTKEY | FCONTROL | FNOINVERT, 'F', IDM_FIND, "&Find Application...\tCtrl+F"},
        {FVIRTKEY | FNOINVERT, VK_F3, IDM_FINDNEXT, nullptr},
    };
    ASSERT_EQ(16, n);
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "MENU");
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(expected[i].fVirt, accels[i].fVirt & 0x7F) << "accelerator " << i;
        EXPECT_EQ(expected[i].key, accels[i].key) << "accelerator " << i;
        EXPECT_EQ(expected[i].cmd, accels[i].cmd) << "accelerator " << i;
        // Accelerators send code 1. The keys of menu items (whose text
        // names the key) are kept from acting while their item is greyed;
        // the focus commands and F3 are no items.
        const CommandRow* row = FindCommandRow(accels[i].cmd, 1);
        ASSERT_NE(nullptr, row) << "no handler for " << accels[i].cmd;
        EXPECT_EQ(row->menuItem, expected[i].menuText != nullptr) << accels[i].cmd;
        char text[64] = "";
        GetMenuStringA(menu, accels[i].cmd, text, sizeof text, MF_BYCOMMAND);
        EXPECT_STREQ(expected[i].menuText ? expected[i].menuText : "", text) << "accelerator " << i;
    }
    DestroyMenu(menu);
    DestroyAcceleratorTable(table);
}

TEST(MainResources, StringTable)
{
    static const struct {
        UINT id;
        const char* text;
    } kStrings[] = {{16, "Error: VAVEZAV.exe"},
                    {21, "Deruverozad Adov Eduzed for Windows98/Me"},
                    {23, "LocalAlloc failed"},
                    {33, "EnumPrinters failed"},
                    {34, "There is no VRX-2260 found."},
                    {999, ""},  // a missing string is empty, not what the buffer held
                    {17, ""}};
    for (const auto& s : kStrings) {
        char buffer[260];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(buffer, LoadResString(s.id, buffer, sizeof buffer)) << "string " << s.id;
        EXPECT_STREQ(s.text, buffer) << "string " << s.id;
    }
    // A short buffer is cut and terminated.
    char shortBuffer[6];
    EXPECT_STREQ("Error", LoadResString(16, shortBuffer, sizeof shortBuffer));
}

TEST(MainResources, IconGroupHoldsTwo16ColourImages)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDI_APPICON), reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
    ASSERT_NE(nullptr, found);
    const BYTE* group = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
    ASSERT_NE(nullptr, group);
    WORD count = *reinterpret_cast<const WORD*>(group + 4);
    ASSERT_EQ(2, count);
    // Entries of 14 bytes after the 6-byte header: width, height, colours, ...
    int sizes[2] = {group[6], group[6 + 14]};
    EXPECT_EQ(32, sizes[0]);
    EXPECT_EQ(16, sizes[1]);
    for (int i = 0; i < 2; ++i) {
        const BYTE* entry = group + 6 + 14 * i;
        EXPECT_EQ(16, entry[2]) << "image " << i;
        EXPECT_EQ(4, *reinterpret_cast<const WORD*>(entry + 6)) << "bits per pixel, image " << i;
    }
}

std::string VersionString(const std::vector<BYTE>& block, const char* name)
{
    char path[128];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\080904B0\\%s", name);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path, &value, &length) || !value)
        return "<missing>";
    return static_cast<const char*>(value);
}

TEST(MainResources, VersionBlock)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00000007u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00000007u, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    EXPECT_EQ(static_cast<DWORD>(VOS_NT_WINDOWS32), fixed->dwFileOS);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0809, translation[0]);
    EXPECT_EQ(0x04B0, translation[1]);
    EXPECT_EQ("1.00.0.007", VersionString(block, "FileVersion"));
    EXPECT_EQ("1.00.0.007", VersionString(block, "ProductVersion"));
    EXPECT_EQ("VAVEZAV", VersionString(block, "InternalName"));
    EXPECT_EQ("VAVEZAV.EXE", VersionString(block, "OriginalFilename"));
    for (const char* name : {"CompanyName", "ProductName", "FileDescription", "LegalCopyright"})
        EXPECT_NE("<missing>", VersionString(block, name)) << name;
}

// Read back from the window's own device context after a repaint.
TEST_F(MainWindow, PaintsTheEtchedEdgeAndCaptionStrokes)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    HDC dc = GetDC(window);
    const int u = 19;
    const int a = MainAvgCharWidth();
    ASSERT_GT(a, 0);
    EXPECT_EQ(RGB(128, 128, 128), GetPixel(dc, 300, 0));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 300, 1));
    EXPECT_EQ(RGB(192, 192, 192), GetPixel(dc, 300, 2)) << "LTGRAY_BRUSH under the edge";
    for (int i = 0; i < kCaptionCount; ++i) {
        CaptionLayout caption = CaptionAt(i, u, a);
        EXPECT_EQ(caption.strokeFrom.y, caption.strokeTo.y) << caption.text;
        for (int x = caption.strokeFrom.x; x < caption.strokeTo.x; ++x)
            EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, x, caption.strokeFrom.y)) << caption.text << " x " << x;
        // Background left of the stroke: nothing drawn before its start.
        EXPECT_EQ(RGB(192, 192, 192), GetPixel(dc, caption.strokeFrom.x - 2, caption.strokeFrom.y)) << caption.text;
    }
    ReleaseDC(window, dc);
}

TEST_F(MainWindow, CloseFromOutsideDestroysWithoutQuestionAndQuitsWithZero)
{
    shownMessages.clear();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(shownMessages.empty());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
    EXPECT_EQ(nullptr, MainWindowControls().window);
}

TEST_F(MainWindow, ExitPostsCloseAndTheWindowEnds)
{
    SendMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(IsWindow(window)) << "posted, not sent";
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MainWindow, CloseBoxCloses)
{
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MainWindow, MinimizeIsTheDefaultOne)
{
    SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PumpMessages();
    EXPECT_TRUE(IsIconic(window));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(shownMessages.size() <= 1u) << "only the start-up message, no question";
}

}  // namespace
