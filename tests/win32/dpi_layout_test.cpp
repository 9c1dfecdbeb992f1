// The main window at today's display scales, each in a process of its own
// started with the prefix's LogPixels set to it (a process reads its DPI as
// it starts), and after WM_DPICHANGED: every control where the layout puts
// it, inside the client area and apart, and each caption's stroke under its
// letter, read from the window's own pixels.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "main/layout.h"
#include "main/main_window_win32.h"
#include "main_window_harness.h"

namespace {

const char kDpiVariable[] = "VAVEZAV_TEST_DPI";  // the child's scale
// A desktop of its own for the child, large enough for 200 %.
const char kDesktop[] = "VavezavScale";

// Sets a value of HKEY_CURRENT_USER, and back as it was when destroyed.
struct UserValue {
    HKEY key = nullptr;
    const char* name;
    BYTE old[64];
    DWORD oldType = 0, oldSize = sizeof old;
    LONG had;

    UserValue(const char* path, const char* valueName, DWORD type, const void* data, DWORD size) : name(valueName)
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        had = RegQueryValueExA(key, name, nullptr, &oldType, old, &oldSize);
        EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size)) << name;
    }
    ~UserValue()
    {
        if (had == ERROR_SUCCESS)
            RegSetValueExA(key, name, 0, oldType, old, oldSize);
        else
            RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
};

// This program again on kDesktop, running only ScaledWindow at `dpi`; its
// exit code, -1 when it did not end in time.
int RunChild(UINT dpi)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string line = "\"" + std::string(exe) + "\" --gtest_filter=ScaledWindow.*";
    SetEnvironmentVariableA(kDpiVariable, std::to_string(dpi).c_str());
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.lpDesktop = const_cast<char*>(kDesktop);
    PROCESS_INFORMATION child = {};
    BOOL made = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &child);
    SetEnvironmentVariableA(kDpiVariable, nullptr);
    if (!made)
        return -2;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(child.hProcess, 4 * kStartTimeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(child.hProcess, &code);
    else
        TerminateProcess(child.hProcess, 1);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return static_cast<int>(code);
}

std::vector<HWND> Controls()
{
    const MainControls& c = MainWindowControls();
    std::vector<HWND> all = {c.printerCombo, c.appCombo, c.versionCombo};
    all.insert(all.end(), c.flagBoxes, c.flagBoxes + kFlagCount);
    return all;
}

::testing::AssertionResult ControlsLaidOut(HWND window, int u)
{
    RECT client;
    GetClientRect(window, &client);
    std::vector<RECT> placed;
    for (HWND control : Controls()) {
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        int id = GetDlgCtrlID(control);
        Rect want = ControlRect(static_cast<unsigned>(id), u);
        RECT overlap;
        if (r.left != want.x || r.top != want.y || r.right - r.left != want.width)
            return ::testing::AssertionFailure() << "control " << id << " at " << r.left << "," << r.top;
        if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom)
            return ::testing::AssertionFailure() << "control " << id << " outside " << client.right << "x" << client.bottom;
        for (const RECT& other : placed) {
            if (IntersectRect(&overlap, &r, &other))
                return ::testing::AssertionFailure() << "control " << id << " overlaps another";
        }
        placed.push_back(r);
    }
    return ::testing::AssertionSuccess();
}

// The ink that text[letter] adds when the font draws text up to it on the
// window's background: columns left..right, last row bottom.
RECT LetterInk(HFONT font, const char* text, int letter)
{
    const int width = 800, height = 120;
    BITMAPINFO info = {};
    info.bmiHeader = {static_cast<DWORD>(sizeof(BITMAPINFOHEADER)), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(dc, bitmap);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    std::vector<DWORD> drawn[2];
    for (int pass = 0; pass < 2; ++pass) {
        RECT all = {0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
        TextOutA(dc, 0, 0, text, letter + pass);
        GdiFlush();
        drawn[pass].assign(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
    }
    DeleteDC(dc);
    DeleteObject(bitmap);
    RECT ink = {width, 0, -1, -1};
    for (int i = 0; i < width * height; ++i) {
        if (drawn[0][i] != drawn[1][i]) {
            ink.left = std::min<LONG>(ink.left, i % width);
            ink.right = std::max<LONG>(ink.right, i % width);
            ink.bottom = i / width;
        }
    }
    return ink;
}

// In the window: the lowest ink in the letter's columns, above the control
// under the caption, is a black stroke as wide as the letter (+-1 pixel),
// one clear row under the letter's own lowest ink. At 100 % the strokes
// stand where the system font's width has always put them: up to 2 pixels
// aside and 3 rows down.
::testing::AssertionResult StrokeUnderLetter(HWND window, int i, int u, HFONT font, bool always)
{
    const int aside = always ? 2 : 1, maxGap = always ? 3 : 1;
    const unsigned below[kCaptionCount] = {701, 702, 703, 801};
    const CaptionLayout caption = CaptionAt(i, u, 0);
    RECT ink = LetterInk(font, caption.text, ShortcutLetterIndex(i));
    const int left = caption.origin.x + ink.left, right = caption.origin.x + ink.right;
    HDC dc = GetDC(window);
    const COLORREF background = GetPixel(dc, caption.origin.x - 2, caption.origin.y);
    auto lowestInk = [&](int from, int x0, int x1) {
        for (int y = from; y > caption.origin.y; --y) {
            for (int x = x0; x <= x1; ++x) {
                if (GetPixel(dc, x, y) != background)
                    return y;
            }
        }
        return -1;
    };
    const int stroke = lowestInk(ControlRect(below[i], u).y - 1, left - aside, right + aside);
    const int letter = lowestInk(stroke - 1, left, right);
    int runLeft = left - aside - 1, runRight;
    while (runLeft <= right && GetPixel(dc, runLeft, stroke) != RGB(0, 0, 0))
        ++runLeft;
    for (runRight = runLeft; GetPixel(dc, runRight + 1, stroke) == RGB(0, 0, 0);)
        ++runRight;
    ReleaseDC(window, dc);
    if (letter != caption.origin.y + ink.bottom || stroke - letter - 1 < 1 || stroke - letter - 1 > maxGap ||
        std::abs(runLeft - left) > aside || std::abs(runRight - right) > aside)
        return ::testing::AssertionFailure() << caption.text << ": letter over columns " << left << ".." << right
                                             << " down to row " << letter << " (the font's " << caption.origin.y + ink.bottom
                                             << "), stroke over " << runLeft << ".." << runRight << " on row " << stroke;
    return ::testing::AssertionSuccess();
}

HFONT WindowFont()
{
    return reinterpret_cast<HFONT>(SendMessageA(MainWindowControls().flagBoxes[0], WM_GETFONT, 0, 0));
}

void ExpectLaidOut(HWND window, UINT dpi)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(ControlsLaidOut(window, MainCyUnit())) << dpi << " DPI";
    for (int i = 0; i < kCaptionCount; ++i)
        EXPECT_TRUE(StrokeUnderLetter(window, i, MainCyUnit(), WindowFont(), dpi == kBaseDpi)) << dpi << " DPI";
}

class ScaledWindow : public RealMainWindow {};

// Runs in the processes that EachScaleInAProcessOfItsOwn starts.
TEST_F(ScaledWindow, AtThePrefixScale)
{
    char text[8] = "";
    if (!GetEnvironmentVariableA(kDpiVariable, text, sizeof text))
        GTEST_SKIP() << "runs in a process of its own";
    const UINT dpi = static_cast<UINT>(std::atoi(text));
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(static_cast<int>(dpi), GetDeviceCaps(screen, LOGPIXELSY)) << "LogPixels did not reach this process";
    ReleaseDC(nullptr, screen);
    fakeSpooler.printers = {{"Front VRX-2260", "FILE:", "Kavix VRX-2260 PS"}};
    window = MakeMainWindow(GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(dpi, MainDpi());
    ExpectLaidOut(window, dpi);
}

TEST(DpiLayout, EachScaleInAProcessOfItsOwn)
{
    UserValue desktop("Software\\Wine\\Explorer\\Desktops", kDesktop, REG_SZ, "1600x1200", 10);
    for (DWORD dpi : {96u, 120u, 144u, 192u}) {
        UserValue scale("Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof dpi);
        EXPECT_EQ(0, RunChild(dpi)) << dpi << " DPI";
    }
}

class DpiChange : public RealMainWindow {};

TEST_F(DpiChange, LaysTheWindowOutAgainAndBack)
{
    Start();
    ASSERT_EQ(static_cast<UINT>(kBaseDpi), MainDpi()) << "the tests' prefix runs at 100 %";
    LOGFONTA stock = {}, font = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
    RECT before, after;
    GetWindowRect(window, &before);
    // Where Windows would put it at 150 %.
    RECT suggested = {before.left + 10, before.top + 20, before.left + 10 + (before.right - before.left) * 3 / 2,
                      before.top + 20 + (before.bottom - before.top) * 3 / 2};
    SendMessageA(window, 0x02E0, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(144u, MainDpi());
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&suggested, &after));
    GetObjectA(WindowFont(), sizeof font, &font);
    EXPECT_EQ(MulDiv(stock.lfHeight, 144, kBaseDpi), font.lfHeight);
    EXPECT_STREQ(stock.lfFaceName, font.lfFaceName);
    for (HWND control : Controls())
        EXPECT_EQ(WindowFont(), reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    ExpectLaidOut(window, 144);

    SendMessageA(window, 0x02E0, MAKEWPARAM(kBaseDpi, kBaseDpi), reinterpret_cast<LPARAM>(&before));
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), WindowFont());
    for (int i = 0; i < kCaptionCount; ++i) {
        const CaptionLayout always = CaptionAt(i, 19, MainAvgCharWidth());
        EXPECT_EQ(0, std::memcmp(&always.strokeFrom, &MainCaption(i).strokeFrom, 2 * sizeof(Point))) << always.text;
    }
    ExpectLaidOut(window, kBaseDpi);
}

}  // namespace
