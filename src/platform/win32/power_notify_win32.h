#pragma once
#include <windows.h>

#include "platform/win32/handles_win32.h"

#include <cstdint>
#include <vector>

#include "core/power.h"

namespace kavelo::win32 {

// Asks the system to send a window PBT_POWERSETTINGCHANGE for every change
// of the battery's charge, of the power source and of the screen's state:
// without it, a percentage that drops on battery brings no WM_POWERBROADCAST
// on current systems, and with modern standby a machine whose screen is off
// idles in the working state, announcing nothing else.
// Likewise suspend and resume: on machines with modern standby they reach
// only the windows registered for them (Windows 8 and later). The calls are
// looked up at run time so that the program still starts where they do not
// exist.
class PowerSettingNotifications {
public:
    explicit PowerSettingNotifications(HWND window);
    PowerSettingNotifications(const PowerSettingNotifications&) = delete;
    PowerSettingNotifications& operator=(const PowerSettingNotifications&) = delete;

    // The number of settings registered (3 where the system offers them).
    int Count() const { return static_cast<int>(handles_.size()); }
    bool SuspendResumeRegistered() const { return suspendResume_.get() != nullptr; }

private:
    std::vector<UniquePowerNotify> handles_;
    UniqueSuspendResumeNotify suspendResume_;
};

// The event a WM_POWERBROADCAST stands for: its wParam, except that the
// screen going off or on (a POWERBROADCAST_SETTING about the console's
// display, in lParam) becomes kPowerDisplayOff or kPowerDisplayOn.
uint32_t PowerEventOf(WPARAM wParam, LPARAM lParam);

}  // namespace kavelo::win32
