#include "platform/win32/tray_timer_win32.h"

#include "platform/win32/last_error_win32.h"

namespace kavelo::win32 {

namespace {
constexpr wchar_t kClassName[] = L"KaveloTrayTimer";
constexpr UINT_PTR kTimerId = 1;
}  // namespace

// Its window is made when the timer first runs: most timers never do (a
// tray icon that doesn't animate), and each window costs the start a little.
Win32TrayTimer::Win32TrayTimer(std::int32_t interval, std::function<void()> onTick)
    : interval_(interval), onTick_(std::move(onTick)) {}

Win32TrayTimer::~Win32TrayTimer() {
    enabled_ = false;  // a tick still queued finds the timer stopped
    if (Handle()) KillTimer(Handle(), kTimerId);
}

void Win32TrayTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void Win32TrayTimer::SetInterval(std::int32_t milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    Update();
}

void Win32TrayTimer::Update() {
    if (Handle()) KillTimer(Handle(), kTimerId);
    if (!enabled_ || interval_ <= 0) return;
    if (!Handle()) CreateWindowFor({.className = kClassName, .parent = HWND_MESSAGE});
    if (!SetTimer(Handle(), kTimerId, static_cast<UINT>(interval_), nullptr)) TraceLastError("SetTimer(KaveloTrayTimer)");
}

LRESULT Win32TrayTimer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER || wParam != kTimerId) return DefaultProc(message, wParam, lParam);
    // A tick that finds the timer stopped (it was queued before) is dropped.
    if (enabled_ && interval_ > 0) onTick_();
    return 0;
}

}  // namespace kavelo::win32
