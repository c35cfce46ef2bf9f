#pragma once
#include <windows.h>

#include "platform/win32/handles_win32.h"

#include <vector>

namespace kavelo::win32 {

// Asks the system to send a window PBT_POWERSETTINGCHANGE for every change
// of the battery's charge and of the power source: without it, a percentage
// that drops on battery brings no WM_POWERBROADCAST on current systems.
// Likewise suspend and resume: on machines with modern standby they reach
// only the windows registered for them (Windows 8 and later). The calls are
// looked up at run time so that the program still starts where they do not
// exist.
class PowerSettingNotifications {
public:
    explicit PowerSettingNotifications(HWND window);
    PowerSettingNotifications(const PowerSettingNotifications&) = delete;
    PowerSettingNotifications& operator=(const PowerSettingNotifications&) = delete;

    // The number of settings registered (2 where the system offers them).
    int Count() const { return static_cast<int>(handles_.size()); }
    bool SuspendResumeRegistered() const { return suspendResume_.get() != nullptr; }

private:
    std::vector<UniquePowerNotify> handles_;
    UniqueSuspendResumeNotify suspendResume_;
};

}  // namespace kavelo::win32
