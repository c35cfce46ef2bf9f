#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/win32/power_win32.h"

namespace kavelo::win32 {
namespace {

TEST(Win32Power, ReadsAPlausibleStatus) {
    Win32PowerSource power;
    PowerStatus s{99, 99};
    ASSERT_TRUE(power.Read(s));
    EXPECT_TRUE(s.ACLineStatus <= 1 || s.ACLineStatus == 255);
    EXPECT_TRUE(s.BatteryLifePercent <= 100 || s.BatteryLifePercent == 255);
}

TEST(Win32Power, ClockGivesATimeOfDay) {
    Win32Clock clock;
    const int32_t ms = MillisecondsOfDay(clock);
    EXPECT_GE(ms, 0);
    EXPECT_LT(ms, 86400000);
    // The UTC clock agrees with the local time of day once shifted by the offset.
    const int64_t utc = clock.UtcMilliseconds();
    ASSERT_GT(utc, 1700000000000LL);
    const int64_t local = (utc + clock.LocalOffsetMinutes(utc) * 60000LL) % 86400000;
    EXPECT_LT(std::abs(local - MillisecondsOfDay(clock)) % (86400000 - 5000), 5000);
}

}  // namespace
}  // namespace kavelo::win32
