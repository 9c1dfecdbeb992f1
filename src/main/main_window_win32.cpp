#include "main/main_window_win32.h"

#include <cstdio>
#include <cstring>

#include "base/res_text_win32.h"
#include "main/commands_win32.h"
#include "base/control_ids.h"
#include "main/editor_window_win32.h"
#include "main/focus_win32.h"
#include "main/layout.h"
#include "resource.h"

const char kMainClassName[] = "APPEDIT";

namespace {

struct MainWindowState {
    HINSTANCE instance;
    int cyUnit;
    int avgCharWidth;
    EditorWindow editor;  // made at WM_CREATE, for the dispatch and the display
};

MainWindowState state;

HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, const Rect& r, int id)
{
    HWND child = CreateWindowExA(0, className, text, style, r.x, r.y, r.width, r.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), state.instance, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
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

LRESULT OnCreate(HWND window)
{
    // The strokes under the captions are measured in the system font, the
    // window's default, not in the GUI font the captions are drawn with.
    HDC dc = GetDC(window);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    state.avgCharWidth = metrics.tmAveCharWidth;

    MakeEditorWindow(state.editor, window, state.instance);
    CreateControls(window);
    ReleaseDC(window, dc);
    // Posted: discovery and the first load run once the window is shown.
    PostMessageA(window, WM_COMMAND, IDM_STARTUP, 0);
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
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
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
    for (int i = 0; i < kCaptionCount; ++i) {
        CaptionLayout caption = CaptionAt(i, state.cyUnit, state.avgCharWidth);
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
    // No maximize box and no sizing border: the layout is made once.
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
