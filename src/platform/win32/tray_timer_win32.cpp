#include "platform/win32/tray_timer_win32.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/error_box_win32.h"
#include "platform/win32/last_error_win32.h"

namespace kavelo::win32 {

namespace {
// The running timers by their ids: a thread timer's tick carries only its id.
std::vector<std::pair<UINT_PTR, Win32TrayTimer*>>& Running() {
    static std::vector<std::pair<UINT_PTR, Win32TrayTimer*>> timers;
    return timers;
}
Win32TrayTimer* RunningTimer(UINT_PTR id) {
    for (const auto& [running, timer] : Running())
        if (running == id) return timer;
    return nullptr;
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
        std::erase_if(Running(), [this](const auto& r) { return r.first == id_; });
        id_ = 0;
    }
    if (!enabled_ || interval_ <= 0) return;
    id_ = SetTimer(nullptr, 0, static_cast<UINT>(interval_), &OnTick);
    if (id_)
        Running().emplace_back(id_, this);
    else
        TraceLastError("SetTimer(tray timer)");
}

void CALLBACK Win32TrayTimer::OnTick(HWND, UINT, UINT_PTR id, DWORD) {
    // A tick queued before its timer stopped finds nothing and is dropped.
    if (Win32TrayTimer* timer = RunningTimer(id)) Guarded([timer] { timer->onTick_(); });
}

}  // namespace kavelo::win32
