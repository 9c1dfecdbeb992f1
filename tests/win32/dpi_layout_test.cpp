// The main window at the display scales of today's PCs: each scale in a
// process of its own started with the prefix's LogPixels set to it (a
// process reads its DPI once, as it starts), and WM_DPICHANGED in this one.
// Every control within the client area and apart from the others, and each
// caption's stroke under its letter, read from the window's own pixels.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/control_ids.h"
#include "main/layout.h"
#include "main/main_window_win32.h"
#include "main_window_harness.h"

namespace {

// The child process's scale, set by the parent for it.
const char kDpiVariable[] = "VAVEZAV_TEST_DPI";
// A desktop of its own for the child, large enough for the window at 200 %.
const char kDesktop[] = "VavezavScale";

UINT ChildDpi()
{
    char text[8] = "";
    GetEnvironmentVariableA(kDpiVariable, text, sizeof text);
    return static_cast<UINT>(std::atoi(text));
}

// A value of HKEY_CURRENT_USER set for the life of the object, then as it was.
class UserValue {
public:
    UserValue(const char* key, const char* name, DWORD type, const void* data, DWORD size) : name_(name)
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        old_.resize(256);
        DWORD oldSize = static_cast<DWORD>(old_.size());
        had_ = RegQueryValueExA(key_, name, nullptr, &oldType_, old_.data(), &oldSize) == ERROR_SUCCESS;
        old_.resize(had_ ? oldSize : 0);
        set_ = RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    }
    ~UserValue()
    {
        if (had_)
            RegSetValueExA(key_, name_, 0, oldType_, old_.data(), static_cast<DWORD>(old_.size()));
        else
            RegDeleteValueA(key_, name_);
        RegCloseKey(key_);
    }
    bool Set() const { return set_; }

private:
    const char* name_;
    HKEY key_ = nullptr;
    bool had_ = false;
    bool set_ = false;
    DWORD oldType_ = 0;
    std::vector<BYTE> old_;
};

// This test program again, on the desktop kDesktop, running only `filter`,
// with its output on ours; its exit code, or -1 when it did not end in time.
int RunChild(UINT dpi, const char* filter)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string command = "\"" + std::string(exe) + "\" --gtest_filter=" + filter;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    char value[8];
    std::snprintf(value, sizeof value, "%u", dpi);
    SetEnvironmentVariableA(kDpiVariable, value);
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.lpDesktop = const_cast<char*>(kDesktop);
    PROCESS_INFORMATION child = {};
    BOOL made = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &child);
    SetEnvironmentVariableA(kDpiVariable, nullptr);
    if (!made)
        return -2;
    int code = -1;
    if (WaitForSingleObject(child.hProcess, 4 * kStartTimeoutMs) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        GetExitCodeProcess(child.hProcess, &exitCode);
        code = static_cast<int>(exitCode);
    } else {
        TerminateProcess(child.hProcess, 1);
    }
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return code;
}

RECT RectInClient(HWND window, HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The controls of the window, the three lists first.
std::vector<HWND> Controls()
{
    const MainControls& c = MainWindowControls();
    std::vector<HWND> all = {c.printerCombo, c.appCombo, c.versionCombo};
    all.insert(all.end(), c.flagBoxes, c.flagBoxes + kFlagCount);
    return all;
}

// Each control where the layout puts it, inside the client area and apart
// from every other.
::testing::AssertionResult ControlsLaidOut(HWND window, int u)
{
    RECT client;
    GetClientRect(window, &client);
    std::vector<HWND> all = Controls();
    std::vector<RECT> rects;
    for (HWND control : all) {
        RECT r = RectInClient(window, control);
        int id = GetDlgCtrlID(control);
        Rect want = ControlRect(static_cast<unsigned>(id), u);
        if (r.left != want.x || r.top != want.y || r.right - r.left != want.width)
            return ::testing::AssertionFailure() << "control " << id << " at " << r.left << "," << r.top << " "
                                                 << r.right - r.left << " wide, not " << want.x << "," << want.y
                                                 << " " << want.width;
        if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom)
            return ::testing::AssertionFailure() << "control " << id << " reaches " << r.right << "," << r.bottom
                                                 << " out of the client area " << client.right << "x"
                                                 << client.bottom;
        for (size_t j = 0; j < rects.size(); ++j) {
            RECT overlap;
            if (IntersectRect(&overlap, &r, &rects[j]))
                return ::testing::AssertionFailure()
                       << "control " << id << " overlaps control " << GetDlgCtrlID(all[j]);
        }
        rects.push_back(r);
    }
    return ::testing::AssertionSuccess();
}

// The pixels of a caption's text drawn on the window's background in
// `font`, from x = 0 on: a bitmap of width x height, row by row.
std::vector<DWORD> DrawText(HFONT font, const char* text, int chars, int width, int height)
{
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 0, 0, text, chars);
    GdiFlush();
    std::memcpy(pixels.data(), bits, pixels.size() * sizeof(DWORD));
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

struct Box {
    int left = 1 << 20;
    int right = -1;  // last column
    int bottom = -1;  // last row
};

// The ink that the shortcut letter adds to the caption's text drawn up to
// it: where the letter stands in the caption, relative to its origin.
Box LetterInkOf(HFONT font, const char* text, int letter)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size;
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    const int width = size.cx + size.cy;
    const int height = 2 * size.cy;
    std::vector<DWORD> before = DrawText(font, text, letter, width, height);
    std::vector<DWORD> with = DrawText(font, text, letter + 1, width, height);
    Box box;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (before[y * width + x] == with[y * width + x])
                continue;
            box.left = x < box.left ? x : box.left;
            box.right = x > box.right ? x : box.right;
            box.bottom = y;
        }
    }
    return box;
}

// The control right under caption i: the stroke must stand above it.
int TopOfControlUnder(int i, int u)
{
    const unsigned under[kCaptionCount] = {IDC_PRINTER, IDC_APPLICATION, IDC_VERSION, IDC_FLAG01};
    return ControlRect(under[i], u).y;
}

// In the window's pixels, caption i's stroke lies under its letter: the
// lowest ink in the letter's columns above the next control is a black run
// as wide as the letter (+-1 pixel), separated from the letter's lowest
// ink by 1 to maxGap clear rows; and the letter is drawn where the font
// puts it in the caption.
::testing::AssertionResult StrokeUnderLetter(HWND window, int i, int u, HFONT font, int maxGap)
{
    const CaptionLayout caption = CaptionAt(i, u, 0);
    Box ink = LetterInkOf(font, caption.text, ShortcutLetterIndex(i));
    if (ink.bottom < 0)
        return ::testing::AssertionFailure() << caption.text << ": the font draws no letter";
    const int left = caption.origin.x + ink.left;
    const int right = caption.origin.x + ink.right;
    HDC dc = GetDC(window);
    const COLORREF background = GetPixel(dc, caption.origin.x - 2, caption.origin.y);
    auto inkAt = [&](int x, int y) { return GetPixel(dc, x, y) != background; };
    int strokeRow = -1;
    for (int y = TopOfControlUnder(i, u) - 1; y > caption.origin.y && strokeRow < 0; --y) {
        for (int x = left - 1; x <= right + 1; ++x) {
            if (inkAt(x, y))
                strokeRow = y;
        }
    }
    int runLeft = left - 1;
    while (runLeft > left - 3 && GetPixel(dc, runLeft, strokeRow) != RGB(0, 0, 0))
        ++runLeft;
    int runRight = runLeft;
    while (GetPixel(dc, runRight + 1, strokeRow) == RGB(0, 0, 0))
        ++runRight;
    int letterBottom = -1;
    for (int y = strokeRow - 1; y > caption.origin.y && letterBottom < 0; --y) {
        for (int x = left; x <= right; ++x) {
            if (inkAt(x, y))
                letterBottom = y;
        }
    }
    ReleaseDC(window, dc);
    const int gap = strokeRow - letterBottom - 1;
    if (strokeRow < 0)
        return ::testing::AssertionFailure() << caption.text << ": no stroke under columns " << left << ".." << right;
    if (letterBottom != caption.origin.y + ink.bottom)
        return ::testing::AssertionFailure() << caption.text << ": the letter's ink ends on row " << letterBottom
                                             << ", the font's on row " << caption.origin.y + ink.bottom;
    if (gap < 1 || gap > maxGap)
        return ::testing::AssertionFailure() << caption.text << ": " << gap << " clear rows between the letter (row "
                                             << letterBottom << ") and its stroke (row " << strokeRow << ")";
    if (std::abs(runLeft - left) > 1 || std::abs(runRight - right) > 1)
        return ::testing::AssertionFailure() << caption.text << ": stroke over columns " << runLeft << ".."
                                             << runRight << ", the letter's ink over " << left << ".." << right;
    return ::testing::AssertionSuccess();
}

HFONT WindowFont()
{
    return reinterpret_cast<HFONT>(SendMessageA(MainWindowControls().flagBoxes[0], WM_GETFONT, 0, 0));
}

// What every scale must show: the layout, and the strokes (at 100 % as
// they always stood, up to three rows under the letter).
void ExpectLaidOut(HWND window, UINT dpi)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    const int u = MainCyUnit();
    EXPECT_TRUE(ControlsLaidOut(window, u)) << dpi << " DPI";
    for (int i = 0; i < kCaptionCount; ++i)
        EXPECT_TRUE(StrokeUnderLetter(window, i, u, WindowFont(), dpi == kBaseDpi ? 3 : 1)) << dpi << " DPI";
}

class ScaledWindow : public RealMainWindow {};

// Run by DpiLayout.EachScaleInAProcessOfItsOwn, in a process of its own.
TEST_F(ScaledWindow, AtThePrefixScale)
{
    UINT dpi = ChildDpi();
    if (dpi == 0)
        GTEST_SKIP() << "runs in the process that EachScaleInAProcessOfItsOwn starts";
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(static_cast<int>(dpi), GetDeviceCaps(screen, LOGPIXELSY)) << "LogPixels did not reach this process";
    ReleaseDC(nullptr, screen);
    fakeSpooler.printers = {{"Front VRX-2260", "FILE:", "Kavix VRX-2260 PS"}};
    window = MakeMainWindow(GetSystemMetrics(SM_CYMENU));
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(dpi, MainDpi());
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), MainCyUnit());
    ExpectLaidOut(window, dpi);
}

TEST(DpiLayout, EachScaleInAProcessOfItsOwn)
{
    if (ChildDpi() != 0)
        GTEST_SKIP() << "the child process";
    // 200 %: a window of 32 x 23 menu bars of 37 pixels.
    const char size[] = "1600x1200";
    UserValue desktop("Software\\Wine\\Explorer\\Desktops", kDesktop, REG_SZ, size, sizeof size);
    ASSERT_TRUE(desktop.Set());
    for (DWORD dpi : {96u, 120u, 144u, 192u}) {
        UserValue scale("Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof dpi);
        ASSERT_TRUE(scale.Set());
        EXPECT_EQ(0, RunChild(dpi, "ScaledWindow.AtThePrefixScale")) << dpi << " DPI";
    }
}

class DpiChange : public RealMainWindow {};

TEST_F(DpiChange, LaysTheWindowOutAgain)
{
    Start();
    ASSERT_EQ(static_cast<UINT>(kBaseDpi), MainDpi()) << "the tests' prefix runs at 100 %";
    LOGFONTA stock = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
    RECT before;
    GetWindowRect(window, &before);
    // As Windows suggests it for 150 %: the same corner, scaled.
    RECT suggested = {before.left + 10, before.top + 20, before.left + 10 + (before.right - before.left) * 3 / 2,
                      before.top + 20 + (before.bottom - before.top) * 3 / 2};
    SendMessageA(window, 0x02E0, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages(200);

    EXPECT_EQ(144u, MainDpi());
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&suggested, &after)) << after.left << "," << after.top << " " << after.right << ","
                                               << after.bottom;
    LOGFONTA font = {};
    GetObjectA(WindowFont(), sizeof font, &font);
    EXPECT_EQ(MulDiv(stock.lfHeight, 144, kBaseDpi), font.lfHeight);
    EXPECT_STREQ(stock.lfFaceName, font.lfFaceName);
    for (HWND control : Controls())
        EXPECT_EQ(WindowFont(), reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    ExpectLaidOut(window, 144);

    // Back at 100 %: the stock font and the strokes where they always were.
    SendMessageA(window, 0x02E0, MAKEWPARAM(kBaseDpi, kBaseDpi), reinterpret_cast<LPARAM>(&before));
    PumpMessages(200);
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), WindowFont());
    EXPECT_EQ(19, MainCyUnit());
    for (int i = 0; i < kCaptionCount; ++i) {
        CaptionLayout then = CaptionAt(i, 19, MainAvgCharWidth());
        EXPECT_EQ(then.strokeFrom.x, MainCaption(i).strokeFrom.x) << then.text;
        EXPECT_EQ(then.strokeFrom.y, MainCaption(i).strokeFrom.y) << then.text;
        EXPECT_EQ(then.strokeTo.x, MainCaption(i).strokeTo.x) << then.text;
    }
    ExpectLaidOut(window, kBaseDpi);
}

}  // namespace
