#include "platform/win32/tray_timer_win32.h"

#include <map>

#include "platform/win32/error_box_win32.h"
#include "platform/win32/last_error_win32.h"

namespace kavelo::win32 {

namespace {
// The running timers by their ids: a thread timer's tick carries only its id.
std::map<UINT_PTR, Win32TrayTimer*>& Running() {
    static std::map<UINT_PTR, Win32TrayTimer*> timers;
    return timers;
}
}  // namespace

Win32TrayTimer::Win32TrayTimer(std::int32_t interval, std::function<void()> onTick)
    : interval_(interval), onTick_(std::move(onTick)) {}

Win32TrayTimer::~Win32TrayTimer() {
    enabled_ = false;  // a tick still queued finds no timer
    Update();
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
    if (id_) {
        KillTimer(nullptr, id_);
        Running().erase(id_);
        id_ = 0;
    }
    if (!enabled_ || interval_ <= 0) return;
    id_ = SetTimer(nullptr, 0, static_cast<UINT>(interval_), &OnTick);
    if (id_)
        Running()[id_] = this;
    else
        TraceLastError("SetTimer(tray timer)");
}

void CALLBACK Win32TrayTimer::OnTick(HWND, UINT, UINT_PTR id, DWORD) {
    // A tick queued before its timer stopped finds nothing and is dropped.
    const auto it = Running().find(id);
    if (it != Running().end()) Guarded([timer = it->second] { timer->onTick_(); });
}

}  // namespace kavelo::win32
