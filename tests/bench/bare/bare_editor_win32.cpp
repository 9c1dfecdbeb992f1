// The start-up's floor in make bench: a bare program that does what the
// editor must do before the user can work, and nothing else. It makes a
// window with the editor's three lists and 64 boxes, lists the printers of
// the model, reads the driver's key (APPINFO-SIZE, APPINFO, every version
// value named from APPINFO with the least parse) and fills the lists, the
// first application's versions and its boxes; then it waits for input.
// WM_CLOSE ends it.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resource.h"

namespace {

const char kKeyPath[] = "Software\\Kavix\\ZOLT\\APPFLAG\\ZOLTDriver";
constexpr int kBoxes = 64;

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id)
{
    HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

void Insert(HWND combo, const char* row)
{
    SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(row));
}

// EnumPrintersA of winspool.drv in the system folder, level 2, the rows of
// the model into the list.
void ListPrinters(HWND combo)
{
    char path[MAX_PATH];
    UINT n = GetSystemDirectoryA(path, MAX_PATH - 16);
    std::strcpy(path + n, "\\winspool.drv");
    using EnumFn = BOOL(WINAPI*)(DWORD, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD);
    HMODULE spooler = LoadLibraryA(path);
    auto enumPrinters = spooler ? reinterpret_cast<EnumFn>(reinterpret_cast<void*>(GetProcAddress(spooler, "EnumPrintersA")))
                                : nullptr;
    if (!enumPrinters)
        return;
    DWORD needed = 0;
    DWORD count = 0;
    enumPrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (!enumPrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, buffer.data(), needed, &needed, &count))
        return;
    const PRINTER_INFO_2A* p = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        std::string row = std::string(p[i].pPrinterName ? p[i].pPrinterName : "") + ";" +
                          (p[i].pPortName ? p[i].pPortName : "") + ";" + (p[i].pDriverName ? p[i].pDriverName : "");
        if (row.find("VRX-2260") != std::string::npos)
            Insert(combo, row.c_str());
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

// The key into the lists and the boxes.
void LoadKey(HWND apps, HWND versions, HWND* boxes)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    DWORD length = sizeof size;
    RegQueryValueExA(key, "APPINFO-SIZE", nullptr, nullptr, reinterpret_cast<BYTE*>(&size), &length);
    std::vector<char> info(size + 2);
    length = size;
    RegQueryValueExA(key, "APPINFO", nullptr, nullptr, reinterpret_cast<BYTE*>(info.data()), &length);
    BYTE record[20];
    DWORD firstWords[5] = {};
    bool first = true;
    // Records "NNname;": the count in two digits, then the name.
    for (const char* p = info.data(); *p;) {
        const char* end = std::strchr(p, ';');
        if (!end || end - p < 2)
            break;
        std::string name(p + 2, end);
        Insert(apps, name.c_str());
        int count = (p[0] - '0') * 10 + (p[1] - '0');
        for (int v = 1; v <= count; ++v) {
            char valueName[128];
            std::snprintf(valueName, sizeof valueName, "APP-%s-%02d", name.c_str(), v);
            length = sizeof record;
            RegQueryValueExA(key, valueName, nullptr, nullptr, record, &length);
            if (!first)
                continue;
            std::memcpy(firstWords, record, sizeof firstWords);
            char text[24];
            std::snprintf(text, sizeof text, "%08lX-%08lX", static_cast<unsigned long>(firstWords[1]),
                          static_cast<unsigned long>(firstWords[2]));
            Insert(versions, text);
            if (v == 1) {
                for (int k = 0; k < kBoxes; ++k) {
                    DWORD word = firstWords[3 + k / 32];
                    SendMessageA(boxes[k], BM_SETCHECK, (word >> (k % 32)) & 1 ? BST_CHECKED : BST_UNCHECKED, 0);
                }
            }
        }
        first = false;
        p = end + 1;
    }
    RegCloseKey(key);
    SendMessageA(apps, CB_SETCURSEL, 0, 0);
    SendMessageA(versions, CB_SETCURSEL, 0, 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = "BAREEDIT";
    RegisterClassA(&wc);
    const int u = GetSystemMetrics(SM_CYMENU);
    HWND window = CreateWindowExA(0, "BAREEDIT", "Bare", WS_OVERLAPPED | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 32 * u, 23 * u, nullptr, nullptr, instance, nullptr);
    HWND printers = Child(window, "COMBOBOX", "", WS_VSCROLL | CBS_DROPDOWNLIST, u, 2 * u, 28 * u, 6 * u, IDC_PRINTER);
    HWND apps = Child(window, "COMBOBOX", "", WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_UPPERCASE, u,
                      5 * u, 13 * u, 6 * u, IDC_APPLICATION);
    HWND versions = Child(window, "COMBOBOX", "", WS_VSCROLL | CBS_DROPDOWNLIST, 16 * u, 5 * u, 13 * u, 6 * u,
                          IDC_VERSION);
    HWND boxes[kBoxes];
    for (int k = 0; k < kBoxes; ++k) {
        char label[4];
        std::snprintf(label, sizeof label, "%02d", k + 1);
        boxes[k] = Child(window, "BUTTON", label, BS_AUTOCHECKBOX | BS_LEFTTEXT, (2 + 5 * (k / 12)) * u,
                         (8 + k % 12) * u - 3, 5 * u / 2, u, IDC_FLAG01 + k);
    }
    ShowWindow(window, showCommand);
    ListPrinters(printers);
    LoadKey(apps, versions, boxes);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
