#include "platform/win32/window_timer_win32.h"

#include "platform/win32/last_error_win32.h"

namespace kavelo::win32 {

Win32WindowTimer::Win32WindowTimer(HWND window, UINT_PTR id, UINT intervalMs)
    : window_(window), id_(id), interval_(intervalMs) {}

Win32WindowTimer::~Win32WindowTimer() {
    if (enabled_) KillTimer(window_, id_);
}

void Win32WindowTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    if (enabled) {
        enabled_ = SetTimer(window_, id_, interval_, nullptr) != 0;
        if (!enabled_) TraceLastError("SetTimer(Timer1)");
    } else {
        KillTimer(window_, id_);
        enabled_ = false;
    }
}

}  // namespace kavelo::win32
