#pragma once
#include "core/day_clock.h"
#include "core/power.h"

namespace kavelo::win32 {

class Win32PowerSource final : public PowerSource {
public:
    bool Read(PowerStatus& status) override;
};

class Win32Clock final : public Clock {
public:
    LocalTime Now() override;
    // QueryUnbiasedInterruptTime: stands still while the machine sleeps.
    int64_t AwakeMilliseconds() override;
    int64_t UtcMilliseconds() override;
    int32_t LocalOffsetMinutes(int64_t utcMs) override;
};

}  // namespace kavelo::win32
