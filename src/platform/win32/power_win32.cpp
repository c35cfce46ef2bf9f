#include "platform/win32/power_win32.h"

#include <windows.h>

namespace kavelo::win32 {

bool Win32PowerSource::Read(PowerStatus& status) {
    SYSTEM_POWER_STATUS sps{};
    if (!GetSystemPowerStatus(&sps)) return false;
    status.ACLineStatus = sps.ACLineStatus;
    status.BatteryLifePercent = sps.BatteryLifePercent;
    return true;
}

LocalTime Win32Clock::Now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return LocalTime{st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

}  // namespace kavelo::win32
