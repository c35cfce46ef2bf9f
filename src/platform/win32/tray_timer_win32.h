#pragma once
#include <windows.h>

#include <functional>

#include "platform/notify_shell.h"
#include "platform/win32/window_thunk_win32.h"

namespace kavelo::win32 {

// A window timer on a message-only window of its own. Whatever the tick
// handler throws is shown in the application's error box.
class Win32TrayTimer final : public IntervalTimer, public MessageTarget<WindowKind> {
public:
    Win32TrayTimer(std::int32_t interval, std::function<void()> onTick);
    ~Win32TrayTimer() override;

    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;
    std::int32_t Interval() const override { return interval_; }
    void SetInterval(std::int32_t milliseconds) override;

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Update();

    bool enabled_ = false;
    std::int32_t interval_;
    std::function<void()> onTick_;
};

}  // namespace kavelo::win32
