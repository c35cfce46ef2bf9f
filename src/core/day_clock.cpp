#include "core/day_clock.h"

namespace kavelo {

int32_t MillisecondsOfDay(const LocalTime& t) {
    return ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

int32_t MillisecondsOfDay(Clock& clock) { return MillisecondsOfDay(clock.Now()); }

ClockReading ReadClocks(Clock& clock) {
    return {MillisecondsOfDay(clock), clock.AwakeMilliseconds(), clock.UtcMilliseconds()};
}

bool SleptBetween(const ClockReading& start, const ClockReading& now) {
    if (start.dayMs < 0 || start.awakeMs < 0 || now.awakeMs < 0) return false;
    const int64_t awake = now.awakeMs - start.awakeMs;
    // The time of day knows no date: the two lengths are compared as times
    // of day, so that midnight, or a day awake, is no gap; a sleep of whole
    // days is no gap either. It still sees the clock moved by daylight
    // saving, whose hour would otherwise be measured as drain.
    constexpr int64_t kDay = 86400000;
    const int64_t difference = (static_cast<int64_t>(now.dayMs) - start.dayMs) - awake;
    int64_t gap = (difference % kDay + kDay) % kDay;
    if (gap > kDay / 2) gap = kDay - gap;
    if (gap > kSleepToleranceMs) return true;
    // The system's UTC time knows dates: it sees the sleep of a whole day.
    if (start.utcMs < 0 || now.utcMs < 0) return false;
    const int64_t utcGap = (now.utcMs - start.utcMs) - awake;
    return utcGap > kSleepToleranceMs || utcGap < -kSleepToleranceMs;
}

}  // namespace kavelo
