#include "main_window_harness.h"

#include <algorithm>
#include <cstring>

#include "main/main_window_win32.h"
#include "base/platform_win32.h"
#include "base/system_function_win32.h"
#include "printer_setup_win32.h"

FakeSpooler fakeSpooler;

namespace {

char* PutString(BYTE*& strings, const std::string& s)
{
    char* at = reinterpret_cast<char*>(strings);
    std::memcpy(at, s.c_str(), s.size() + 1);
    strings += s.size() + 1;
    return at;
}

}  // namespace

// Level 2 as the spooler lays it out: the records, then their strings.
BOOL WINAPI FakeEnumPrinters(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                             LPDWORD returned)
{
    fakeSpooler.calls.push_back({flags, name == nullptr, level, buffer == nullptr, size});
    DWORD bytes = 0;
    for (const FakePrinter& p : fakeSpooler.printers)
        bytes += sizeof(PRINTER_INFO_2A) + p.name.size() + p.port.size() + p.driver.size() + 3;
    *needed = bytes;
    *returned = 0;
    if (fakeSpooler.calls.size() >= 2 && fakeSpooler.failSecondCall) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (size < bytes || (bytes > 0 && !buffer)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    PRINTER_INFO_2A* records = reinterpret_cast<PRINTER_INFO_2A*>(buffer);
    BYTE* strings = buffer + sizeof(PRINTER_INFO_2A) * fakeSpooler.printers.size();
    for (size_t i = 0; i < fakeSpooler.printers.size(); ++i) {
        const FakePrinter& p = fakeSpooler.printers[i];
        PRINTER_INFO_2A& r = records[i];
        std::memset(&r, 0, sizeof r);
        r.pPrinterName = PutString(strings, p.name);
        if (!p.nullFields) {
            r.pPortName = PutString(strings, p.port);
            r.pDriverName = PutString(strings, p.driver);
        }
    }
    *returned = static_cast<DWORD>(fakeSpooler.printers.size()) + fakeSpooler.extraReturned;
    return TRUE;
}

HLOCAL WINAPI FailingLocalAlloc(UINT, SIZE_T)
{
    return nullptr;
}


HMODULE OnlyFileDialogDll(const char* fileName)
{
    if (lstrcmpiA(fileName, "comdlg32.dll") == 0)
        return LoadSystemLibrary(fileName);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

std::string LoadFailureText(const char* fileName)
{
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, sizeof folder);
    return "Cannot load " + std::string(folder) + "\\" + fileName + " (error 126)";
}

void UseFakes()
{
    fakeSpooler = FakeSpooler{};
    shownMessages.clear();
    answers.clear();
    ResetPlatform();
    platform.enumPrinters = FakeEnumPrinters;
}

void RestoreFakes()
{
    ResetPlatform();
}

void PumpMessages(DWORD ms)
{
    DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < ms) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            break;
        if (msg.message == WM_QUIT) {
            // Leave it for DestroyMainWindow to find.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

HWND MakeMainWindow(int cyUnit)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (!GetClassInfoA(instance, kMainClassName, &existing)) {
        EXPECT_EQ(1, RegisterMainClass(instance));
    }
    HWND window = CreateMainWindow(instance, cyUnit);
    EXPECT_NE(nullptr, window);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    PumpMessages();
    return window;
}

void DestroyMainWindow(HWND window)
{
    if (IsWindow(window))
        DestroyWindow(window);
    PumpMessages(500);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}


bool MenuCommandEnabled(HWND window, UINT command)
{
    UINT state = GetMenuState(GetMenu(window), command, MF_BYCOMMAND);
    EXPECT_NE(static_cast<UINT>(-1), state) << "no menu item " << command;
    return (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void RealMainWindow::SetUp()
{
    UseFakes();
    ASSERT_EQ(1, WriteTestTable(kSampleApps, kSampleAppCount));
}

void RealMainWindow::TearDown()
{
    DestroyMainWindow(window);
    DeleteTestTable();
    RestoreFakes();
}

void RealMainWindow::Start(int printers)
{
    fakeSpooler.printers = {{"Front VRX-2260", "FILE:", "Kavix VRX-2260 PS"}};
    if (printers > 1)
        fakeSpooler.printers.push_back({"Rear VRX-2260", "FILE:", "Kavix VRX-2260 PS"});
    window = MakeMainWindow(19);
    ASSERT_NE(nullptr, window);
}

const MainControls& RealMainWindow::C() const
{
    return MainWindowControls();
}

FlagTable& RealMainWindow::T() const
{
    return MainFlagTable();
}

EditorWindow& RealMainWindow::E() const
{
    return MainEditor();
}

void RealMainWindow::Command(UINT id, UINT code, HWND control)
{
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
    PumpMessages(500);
}

bool RealMainWindow::PressKey(HWND focus, WORD key, bool control, bool shift)
{
    BYTE keys[256], held[256];
    GetKeyboardState(keys);
    std::copy(keys, keys + 256, held);
    held[VK_CONTROL] = control ? 0x80 : 0;
    held[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(held);
    SetFocus(focus);
    MSG msg = {focus, WM_KEYDOWN, key, 0x00000001, 0, {0, 0}};
    bool taken = TranslateAcceleratorA(window, LoadAcceleratorsA(GetModuleHandleA(nullptr), "MAINACCEL"), &msg);
    SetKeyboardState(keys);
    PumpMessages(200);
    return taken;
}
