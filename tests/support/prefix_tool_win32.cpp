// prefix_tool.exe demo   a printer of the model, one other, the sample table
// prefix_tool.exe clean  removes what demo made
// prefix_tool.exe list   prints the printers the spooler lists
// prefix_tool.exe wait-loaded [SECONDS]
//                        waits until the running editor shows applications
//                        (0), shows a message box (2) or the time is up (1)
// prefix_tool.exe close  asks the running editor to close (WM_CLOSE)
// prefix_tool.exe window-rect
//                        prints where the editor's window stands on the
//                        screen, frame included, as WIDTHxHEIGHT+X+Y
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "printer_setup_win32.h"
#include "window_search_win32.h"
#include "resource.h"

namespace {

int Demo()
{
    RemoveAllTestPrinters();
    if (!AddTestPrinter("VRX-2260 Front Desk", "Kavix VRX-2260 PS")) {
        std::fprintf(stderr, "prefix_tool: adding the VRX-2260 printer failed (%lu)\n", GetLastError());
        return 1;
    }
    // Not of the model: the editor leaves it out of its list.
    if (!AddTestPrinter("Office Laser", "Generic Laser PS"))
        std::fprintf(stderr, "prefix_tool: adding the other printer failed (%lu)\n", GetLastError());
    if (!WriteTestTable(kSampleApps, kSampleAppCount)) {
        std::fprintf(stderr, "prefix_tool: writing the sample table failed\n");
        return 1;
    }
    std::printf("prefix_tool: demo printers and sample table ready\n");
    return 0;
}

int List()
{
    DWORD count = 0;
    std::vector<BYTE> buffer = EnumLocalPrinters(count);
    if (buffer.empty()) {
        std::fprintf(stderr, "prefix_tool: EnumPrinters failed (%lu)\n", GetLastError());
        return 1;
    }
    const PRINTER_INFO_2A* p = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        std::printf("%s;%s;%s [%s]\n", p[i].pPrinterName ? p[i].pPrinterName : "",
                    p[i].pPortName ? p[i].pPortName : "", p[i].pDriverName ? p[i].pDriverName : "",
                    p[i].pComment ? p[i].pComment : "");
    return 0;
}

int WaitLoaded(int seconds)
{
    for (int tick = 0; tick < seconds * 10; ++tick) {
        HWND editor = FindWindowA("APPEDIT", nullptr);
        if (editor) {
            HWND apps = GetDlgItem(editor, IDC_APPLICATION);
            // A count needs no pointer, so it works across processes.
            if (apps && SendMessageA(apps, CB_GETCOUNT, 0, 0) > 0)
                return 0;
            HWND box = FindThreadDialog(GetWindowThreadProcessId(editor, nullptr), nullptr, editor);
            if (box) {
                char text[256] = "";
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                std::printf("prefix_tool: the editor shows a message: %s\n", text);
                return 2;
            }
        }
        Sleep(100);
    }
    std::fprintf(stderr, "prefix_tool: the editor has no applications after %d s\n", seconds);
    return 1;
}

int Close()
{
    HWND editor = FindWindowA("APPEDIT", nullptr);
    if (!editor)
        return 1;
    // A WM_CLOSE from outside closes the editor without its save question.
    return PostMessageA(editor, WM_CLOSE, 0, 0) ? 0 : 1;
}

int WindowRect()
{
    HWND editor = FindWindowA("APPEDIT", nullptr);
    RECT r;
    if (!editor || !GetWindowRect(editor, &r))
        return 1;
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "demo") == 0)
        return Demo();
    if (argc == 2 && std::strcmp(argv[1], "clean") == 0)
        return RemoveAllTestPrinters() && DeleteTestTable() ? 0 : 1;
    if (argc == 2 && std::strcmp(argv[1], "list") == 0)
        return List();
    if (argc >= 2 && std::strcmp(argv[1], "wait-loaded") == 0)
        return WaitLoaded(argc >= 3 ? std::atoi(argv[2]) : 30);
    if (argc == 2 && std::strcmp(argv[1], "close") == 0)
        return Close();
    if (argc == 2 && std::strcmp(argv[1], "window-rect") == 0)
        return WindowRect();
    std::fprintf(stderr, "usage: prefix_tool demo | clean | list | wait-loaded [SECONDS] | close | window-rect\n");
    return 2;
}
