#pragma once
// The DPI of windows, monitors and the system. The per-monitor calls exist
// only on newer Windows (10, version 1607 and later); they are looked up at
// run time, and where they are missing the system DPI answers for every
// window and monitor, so that Kavelo still starts on older systems.
#include <windows.h>

namespace kavelo::win32 {

inline constexpr UINT kDefaultDpi = 96;
// WM_GETDPISCALEDSIZE (Windows 10, version 1703 and later; the headers name
// it only for a newer WINVER than this program builds for).
inline constexpr UINT kGetDpiScaledSize = 0x02E4;

// GetDpiForSystem, else the screen's LOGPIXELSX.
UINT SystemDpi();
// GetDpiForWindow, else the system DPI.
UINT WindowDpi(HWND window);
// The effective DPI of the monitor the taskbar is on (GetDpiForMonitor),
// else the system DPI.
UINT TaskbarDpi();
// GetSystemMetricsForDpi, else GetSystemMetrics scaled from the system DPI.
int MetricForDpi(int index, UINT dpi);
// AdjustWindowRectExForDpi, else AdjustWindowRectEx.
void AdjustRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);
// Pixels of a 96-DPI layout at `dpi`.
inline int ScaleForDpi(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), kDefaultDpi); }
// Leaves a dialog's DPI changes to its own procedure: no resizing, new font
// or re-layout by the dialog manager (SetDialogDpiChangeBehavior, where the
// system has it).
void TakeOverDialogDpiChanges(HWND dialog);

}  // namespace kavelo::win32
