#include "core/day_clock.h"

namespace kavelo {

int32_t MillisecondsOfDay(const LocalTime& t) {
    return ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

int32_t MillisecondsOfDay(Clock& clock) { return MillisecondsOfDay(clock.Now()); }

bool SleptBetween(int32_t startDayMs, int64_t startAwakeMs, int32_t nowDayMs, int64_t nowAwakeMs) {
    if (startDayMs < 0 || startAwakeMs < 0 || nowAwakeMs < 0) return false;
    // The day clock knows no date: the two lengths are compared as times of
    // day, so that midnight, or a day awake, is no gap.
    constexpr int64_t kDay = 86400000;
    const int64_t difference = (static_cast<int64_t>(nowDayMs) - startDayMs) - (nowAwakeMs - startAwakeMs);
    int64_t gap = (difference % kDay + kDay) % kDay;
    if (gap > kDay / 2) gap = kDay - gap;
    return gap > kSleepToleranceMs;
}

}  // namespace kavelo
