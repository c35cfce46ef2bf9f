#pragma once
#include <windows.h>

#include "core/timer.h"

namespace kavelo::win32 {

// A window timer: while enabled, its ticks arrive at the window as WM_TIMER
// with the timer's id, and the window's procedure asks IsTick before acting.
class Win32WindowTimer final : public Timer {
public:
    Win32WindowTimer(HWND window, UINT_PTR id, UINT intervalMs);
    ~Win32WindowTimer() override;
    Win32WindowTimer(const Win32WindowTimer&) = delete;
    Win32WindowTimer& operator=(const Win32WindowTimer&) = delete;

    bool Enabled() const override { return enabled_; }
    // Starting a stopped timer begins a full interval from now; starting a
    // running one leaves its rhythm alone.
    void SetEnabled(bool enabled) override;

    UINT Interval() const { return interval_; }
    // A WM_TIMER of this timer that should run its handler: one generated
    // just before the timer was stopped is dropped.
    bool IsTick(WPARAM timerId) const { return enabled_ && timerId == id_; }

private:
    HWND window_;
    UINT_PTR id_;
    UINT interval_;
    bool enabled_ = false;
};

}  // namespace kavelo::win32
