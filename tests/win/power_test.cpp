#include <gtest/gtest.h>

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
}

}  // namespace
}  // namespace kavelo::win32
