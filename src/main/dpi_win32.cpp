#include "main/dpi_win32.h"

#include "base/system_function_win32.h"

namespace {

// MDT_EFFECTIVE_DPI of shcore.h and MONITOR_DEFAULTTONEAREST, which the
// headers for Windows 98 lack.
constexpr int kEffectiveDpi = 0;
constexpr DWORD kNearestMonitor = 2;

struct DpiApi {
    using DpiForWindowFn = UINT(WINAPI*)(HWND window);
    using MetricsForDpiFn = int(WINAPI*)(int index, UINT dpi);
    using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND window, DWORD flags);
    using DpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR monitor, int type, UINT* dpiX, UINT* dpiY);
    DpiForWindowFn dpiForWindow;
    MetricsForDpiFn metricsForDpi;
    MonitorFromWindowFn monitorFromWindow;
    DpiForMonitorFn dpiForMonitor;
};

// Looked up once: shcore.dll, where Windows has it, is loaded by its full
// path only where GetDpiForWindow is missing.
const DpiApi& Api()
{
    static bool looked = false;
    static DpiApi api = {};
    if (!looked) {
        looked = true;
        api.dpiForWindow = SystemFunction<DpiApi::DpiForWindowFn>("user32.dll", "GetDpiForWindow");
        api.metricsForDpi = SystemFunction<DpiApi::MetricsForDpiFn>("user32.dll", "GetSystemMetricsForDpi");
        if (!api.dpiForWindow) {
            api.monitorFromWindow = SystemFunction<DpiApi::MonitorFromWindowFn>("user32.dll", "MonitorFromWindow");
            if (api.monitorFromWindow)
                api.dpiForMonitor = SystemLibraryFunction<DpiApi::DpiForMonitorFn>("shcore.dll", "GetDpiForMonitor");
        }
    }
    return api;
}

}  // namespace

UINT SystemDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT WindowDpi(HWND window)
{
    const DpiApi& api = Api();
    if (api.dpiForWindow) {
        UINT dpi = api.dpiForWindow(window);
        if (dpi > 0)
            return dpi;
    }
    if (api.dpiForMonitor) {
        UINT x = 0;
        UINT y = 0;
        HMONITOR monitor = api.monitorFromWindow(window, kNearestMonitor);
        if (monitor && SUCCEEDED(api.dpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && y > 0)
            return y;
    }
    return SystemDpi();
}

int MenuHeightForDpi(UINT dpi)
{
    const DpiApi& api = Api();
    if (api.metricsForDpi)
        return api.metricsForDpi(SM_CYMENU, dpi);
    return MulDiv(GetSystemMetrics(SM_CYMENU), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

HFONT CreateGuiFontForDpi(UINT dpi)
{
    UINT systemDpi = SystemDpi();
    if (dpi == systemDpi)
        return nullptr;
    LOGFONTA font = {};
    if (!GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font))
        return nullptr;
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi));
    font.lfWidth = MulDiv(font.lfWidth, static_cast<int>(dpi), static_cast<int>(systemDpi));
    return CreateFontIndirectA(&font);
}
