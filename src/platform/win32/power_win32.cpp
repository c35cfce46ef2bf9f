#include "platform/win32/power_win32.h"

#include <windows.h>

namespace kavelo::win32 {

bool Win32PowerSource::Read(PowerStatus& status) {
    SYSTEM_POWER_STATUS sps{};
    if (!GetSystemPowerStatus(&sps)) return false;
    status.ACLineStatus = sps.ACLineStatus;
    status.BatteryLifePercent = sps.BatteryLifePercent;
    status.BatteryFlag = sps.BatteryFlag;
    return true;
}

LocalTime Win32Clock::Now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return LocalTime{st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

int64_t Win32Clock::AwakeMilliseconds() {
    ULONGLONG units = 0;  // of 100 ns
    if (!QueryUnbiasedInterruptTime(&units)) return -1;
    return static_cast<int64_t>(units / 10000);
}

}  // namespace kavelo::win32
