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

namespace {
// FILETIME counts 100 ns from 1601; Unix time starts 11 644 473 600 s later.
constexpr int64_t kUnixEpochIn100ns = 116444736000000000LL;

int64_t UnixMs(const FILETIME& ft) {
    const int64_t units = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return (units - kUnixEpochIn100ns) / 10000;
}
}  // namespace

int64_t Win32Clock::UtcMilliseconds() {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    return UnixMs(ft);
}

int32_t Win32Clock::LocalOffsetMinutes(int64_t utcMs) {
    const int64_t units = utcMs * 10000 + kUnixEpochIn100ns;
    const FILETIME ft{static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
    SYSTEMTIME utc{}, local{};
    if (!FileTimeToSystemTime(&ft, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return 0;
    FILETIME localFt{};
    if (!SystemTimeToFileTime(&local, &localFt)) return 0;
    return static_cast<int32_t>((UnixMs(localFt) - utcMs) / 60000);
}

}  // namespace kavelo::win32
