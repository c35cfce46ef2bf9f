#pragma once
#include <windows.h>

#include <functional>

#include "platform/notify_shell.h"

namespace kavelo::win32 {

// A thread timer (SetTimer without a window): the message loop, and every
// modal loop, hands its ticks to the timer. No window is made for it, which
// at start, where every window costs, matters: most of these timers never
// run (a tray icon that doesn't animate). Whatever the tick handler throws
// is shown in the application's error box.
class Win32TrayTimer final : public IntervalTimer {
public:
    Win32TrayTimer(std::int32_t interval, std::function<void()> onTick);
    ~Win32TrayTimer() override;
    Win32TrayTimer(const Win32TrayTimer&) = delete;
    Win32TrayTimer& operator=(const Win32TrayTimer&) = delete;

    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;
    std::int32_t Interval() const override { return interval_; }
    void SetInterval(std::int32_t milliseconds) override;

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR id, DWORD);
    void Update();

    bool enabled_ = false;
    std::int32_t interval_;
    UINT_PTR id_ = 0;  // the running timer's, 0 when stopped
    std::function<void()> onTick_;
};

}  // namespace kavelo::win32
