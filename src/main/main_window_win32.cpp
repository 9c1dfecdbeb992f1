#include "main/main_window_win32.h"

#include <cstdio>
#include <cstring>

#include "base/res_text_win32.h"
#include "main/commands_win32.h"
#include "base/control_ids.h"
#include "main/dpi_win32.h"
#include "main/editor_window_win32.h"
#include "main/focus_win32.h"
#include "main/layout.h"
#include "resource.h"

const char kMainClassName[] = "APPEDIT";

namespace {

// WM_DPICHANGED, which the headers for Windows 98 lack.
constexpr UINT kDpiChanged = 0x02E0;

struct MainWindowState {
    HINSTANCE instance;
    int cyUnit;
    int avgCharWidth;
    UINT dpi;     // the DPI the window is laid out for
    HFONT font;   // the captions' and controls' font at that DPI; null: the stock one
    CaptionLayout captions[kCaptionCount];
    EditorWindow editor;  // made at WM_CREATE, for the dispatch and the display
};

MainWindowState state;

HFONT WindowFont()
{
    return state.font ? state.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, const Rect& r, int id)
{
    HWND child = CreateWindowExA(0, className, text, style, r.x, r.y, r.width, r.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), state.instance, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(WindowFont()), FALSE);
    return child;
}

void CreateControls(HWND window)
{
    const int u = state.cyUnit;
    MainControls& c = state.editor.controls;
    c.window = window;
    c.printerCombo = CreateChild(window, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST,
                                 PrinterComboRect(u), IDC_PRINTER);
    c.appCombo = CreateChild(window, "COMBOBOX", "",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_UPPERCASE,
                             AppComboRect(u), IDC_APPLICATION);
    SendMessageA(c.appCombo, CB_LIMITTEXT, kMaxNameChars, 0);
    c.versionCombo = CreateChild(window, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST,
                                 VersionComboRect(u), IDC_VERSION);
    // BS_LEFTTEXT puts the number left of the box; the system toggles the
    // check mark itself before it notifies.
    for (int k = 0; k < kFlagCount; ++k) {
        char label[4];
        std::snprintf(label, sizeof label, "%02d", k + 1);
        c.flagBoxes[k] = CreateChild(window, "BUTTON", label, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_LEFTTEXT,
                                     FlagBoxRect(k, u), FlagBoxId(k));
    }
}

// The columns and the last row of what differs from the background in a
// top-down 32-bit bitmap; bottom -1 when nothing does.
LetterInk InkIn(const DWORD* pixels, int width, int height)
{
    LetterInk ink = {width, -1, -1};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (pixels[y * width + x] == pixels[0])
                continue;
            ink.left = x < ink.left ? x : ink.left;
            ink.right = x + 1 > ink.right ? x + 1 : ink.right;
            ink.bottom = y;
        }
    }
    return ink;
}

// Where the font draws text[index] when it draws text from x = 0: the
// letter alone is drawn on the window's background and its ink looked for,
// so the stroke follows the glyph whatever the font and its smoothing. The
// letter's cell and the font's baseline stand in if that cannot be done.
LetterInk MeasureLetter(HDC dc, HFONT font, const char* text, int index)
{
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE prefix = {0, 0};
    SIZE cell = {0, 0};
    TEXTMETRICA metrics = {};
    GetTextExtentPoint32A(dc, text, index, &prefix);
    GetTextExtentPoint32A(dc, text + index, 1, &cell);
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, oldFont);
    LetterInk ink = {prefix.cx, prefix.cx + cell.cx, metrics.tmAscent - 1};

    // Room for an overhang on either side.
    const int margin = metrics.tmHeight;
    const int width = cell.cx + 2 * margin;
    const int height = metrics.tmHeight;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = memory ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (bitmap && bits) {
        HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        oldFont = SelectObject(memory, font);
        RECT all = {0, 0, width, height};
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
        SetBkMode(memory, TRANSPARENT);
        TextOutA(memory, margin, 0, text + index, 1);
        GdiFlush();
        LetterInk drawn = InkIn(static_cast<const DWORD*>(bits), width, height);
        if (drawn.bottom >= 0)
            ink = {prefix.cx + drawn.left - margin, prefix.cx + drawn.right - margin, drawn.bottom};
        SelectObject(memory, oldFont);
        SelectObject(memory, oldBitmap);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    return ink;
}

// At 100 % with the stock font the strokes stand where they always have;
// at any other scale each is measured under its letter.
void PlaceCaptions(HDC dc)
{
    for (int i = 0; i < kCaptionCount; ++i) {
        if (state.dpi == kBaseDpi && !state.font) {
            state.captions[i] = CaptionAt(i, state.cyUnit, state.avgCharWidth);
            continue;
        }
        const char* text = CaptionAt(i, state.cyUnit, state.avgCharWidth).text;
        LetterInk ink = MeasureLetter(dc, WindowFont(), text, ShortcutLetterIndex(i));
        state.captions[i] = CaptionOverLetter(i, state.cyUnit, ink);
    }
}

void PlaceCaptions(HWND window)
{
    HDC dc = GetDC(window);
    PlaceCaptions(dc);
    ReleaseDC(window, dc);
}

// The unit and the font for a DPI, and every control placed by the layout
// table in that unit and given that font.
void TakeDpi(UINT dpi)
{
    state.dpi = dpi;
    state.cyUnit = MenuHeightForDpi(dpi);
    HFONT old = state.font;
    state.font = CreateGuiFontForDpi(dpi);
    const MainControls& c = state.editor.controls;
    HWND controls[3 + kFlagCount] = {c.printerCombo, c.appCombo, c.versionCombo};
    for (int k = 0; k < kFlagCount; ++k)
        controls[3 + k] = c.flagBoxes[k];
    for (HWND control : controls) {
        if (!control)
            continue;
        Rect r = ControlRect(static_cast<unsigned>(GetDlgCtrlID(control)), state.cyUnit);
        SetWindowPos(control, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(WindowFont()), TRUE);
    }
    if (old)
        DeleteObject(old);
}

LRESULT OnCreate(HWND window)
{
    // The strokes under the captions are measured in the system font, the
    // window's default, not in the GUI font the captions are drawn with.
    HDC dc = GetDC(window);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    state.avgCharWidth = metrics.tmAveCharWidth;

    MakeEditorWindow(state.editor, window, state.instance);

    // A window that opens on a monitor of another scale than the system's
    // gets no WM_DPICHANGED: it takes that monitor's unit and font now.
    state.dpi = WindowDpi(window);
    bool otherScale = state.dpi != SystemDpi();
    if (otherScale)
        TakeDpi(state.dpi);
    CreateControls(window);
    PlaceCaptions(dc);
    ReleaseDC(window, dc);
    if (otherScale) {
        Rect size = MainWindowSize(state.cyUnit);
        SetWindowPos(window, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Posted: discovery and the first load run once the window is shown.
    PostMessageA(window, WM_COMMAND, IDM_STARTUP, 0);
    return 0;
}

// The window moved to a monitor of another scale, or the scale changed:
// everything is laid out again for the new DPI, in the rectangle Windows
// suggests for it.
LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam)
{
    TakeDpi(HIWORD(wParam));
    PlaceCaptions(window);
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    if (suggested)
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, FALSE);
    return 0;
}

void DrawLine(HDC dc, Point from, Point to)
{
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
}

LRESULT OnPaint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    HGDIOBJ oldFont = SelectObject(dc, WindowFont());
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));

    // An etched edge under the menu bar: grey on row 0, white on row 1.
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(WHITE_PEN));
    DrawLine(dc, {0, 1}, {client.right, 1});
    HPEN grey = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    SelectObject(dc, grey);
    DrawLine(dc, {0, 0}, {client.right, 0});

    SelectObject(dc, GetStockObject(BLACK_PEN));
    SetBkMode(dc, TRANSPARENT);
    for (const CaptionLayout& caption : state.captions) {
        TextOutA(dc, caption.origin.x, caption.origin.y, caption.text, static_cast<int>(std::strlen(caption.text)));
        DrawLine(dc, caption.strokeFrom, caption.strokeTo);
    }

    SelectObject(dc, oldPen);
    DeleteObject(grey);
    SelectObject(dc, oldFont);
    EndPaint(window, &ps);
    return 0;
}

// The close box, Alt+F4 and the system menu's Close arrive here as SC_CLOSE.
LRESULT OnSysCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    if ((wParam & 0xFFF0) == SC_CLOSE && !CloseBoxCheck(state.editor))
        return 0;
    return DefWindowProcA(window, WM_SYSCOMMAND, wParam, lParam);
}

LRESULT OnDestroy()
{
    state.editor.controls = MainControls{};
    if (state.font)
        DeleteObject(state.font);
    state.font = nullptr;
    PostQuitMessage(0);
    return 0;
}

}  // namespace

int RegisterMainClass(HINSTANCE instance)
{
    state.instance = instance;
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APPICON));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = nullptr;  // WM_PAINT paints the whole client area
    wc.lpszMenuName = "MENU";
    wc.lpszClassName = kMainClassName;
    return RegisterClassA(&wc) ? 1 : 0;
}

HWND CreateMainWindow(HINSTANCE instance, int cyUnit)
{
    state.instance = instance;
    state.cyUnit = cyUnit;
    Rect size = MainWindowSize(cyUnit);
    char title[260];
    // No maximize box and no sizing border: the layout follows the display
    // scale, never the window.
    return CreateWindowExA(0, kMainClassName, LoadResString(IDS_WINDOW_TITLE, title, sizeof title), WS_OVERLAPPED | WS_SYSMENU | WS_MINIMIZEBOX,
                           CW_USEDEFAULT, CW_USEDEFAULT, size.width, size.height, nullptr, nullptr, instance, nullptr);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_PAINT:
        return OnPaint(window);
    case WM_COMMAND:
        return OnCommand(state.editor, wParam, lParam);
    case WM_SETFOCUS:
        RestoreFocus(state.editor);
        return 0;
    case WM_INITMENUPOPUP:
        OnMenuOpening(state.editor);
        return 0;
    case WM_SYSCOMMAND:
        return OnSysCommand(window, wParam, lParam);
    case kDpiChanged:
        return OnDpiChanged(window, wParam, lParam);
    case WM_DESTROY:
        return OnDestroy();
    default:
        // WM_CLOSE included: the default procedure destroys the window at once.
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

EditorWindow& MainEditor()
{
    return state.editor;
}

const MainControls& MainWindowControls()
{
    return state.editor.controls;
}

FlagTable& MainFlagTable()
{
    return state.editor.table;
}

int MainCyUnit()
{
    return state.cyUnit;
}

int MainAvgCharWidth()
{
    return state.avgCharWidth;
}

UINT MainDpi()
{
    return state.dpi;
}

const CaptionLayout& MainCaption(int i)
{
    return state.captions[i >= 0 && i < kCaptionCount ? i : 0];
}
