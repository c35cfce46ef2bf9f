#include "platform/win32/dpi_win32.h"

#include "platform/win32/handles_win32.h"
#include "platform/win32/system_function_win32.h"

namespace kavelo::win32 {

UINT SystemDpi() {
    static const auto forSystem = SystemFunction<UINT(WINAPI*)()>("user32.dll", "GetDpiForSystem");
    if (forSystem) return forSystem();
    const WindowDc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

UINT WindowDpi(HWND window) {
    static const auto forWindow = SystemFunction<UINT(WINAPI*)(HWND)>("user32.dll", "GetDpiForWindow");
    const UINT dpi = forWindow && window ? forWindow(window) : 0;
    return dpi ? dpi : SystemDpi();
}

UINT TaskbarDpi() {
    using ForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto forMonitor = SystemFunction<ForMonitor>("shcore.dll", "GetDpiForMonitor");
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    const HMONITOR monitor = MonitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY);
    UINT x = 0, y = 0;
    if (forMonitor && forMonitor(monitor, kEffectiveDpi, &x, &y) == S_OK && x) return x;
    return SystemDpi();
}

int MetricForDpi(int index, UINT dpi) {
    static const auto forDpi = SystemFunction<int(WINAPI*)(int, UINT)>("user32.dll", "GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

void AdjustRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
    using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto forDpi = SystemFunction<Adjust>("user32.dll", "AdjustWindowRectExForDpi");
    if (forDpi) forDpi(&rect, style, FALSE, exStyle, dpi);
    else AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

void TakeOverDialogDpiChanges(HWND dialog) {
    using Behavior = BOOL(WINAPI*)(HWND, int, int);
    static const auto set = SystemFunction<Behavior>("user32.dll", "SetDialogDpiChangeBehavior");
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    if (set) set(dialog, kDisableAll, kDisableAll);
}

}  // namespace kavelo::win32
