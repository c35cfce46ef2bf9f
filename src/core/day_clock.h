#pragma once
#include <cstdint>

namespace kavelo {

// A local time of day, as the system clock reports it.
struct LocalTime {
    int hour = 0;         // 0-23
    int minute = 0;       // 0-59
    int second = 0;       // 0-59
    int millisecond = 0;  // 0-999
};

// Source of the local time of day. The Windows build reads GetLocalTime;
// tests drive a clock of their own.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() = 0;
    // Milliseconds of a clock that stops while the machine sleeps or
    // hibernates and that nobody sets (QueryUnbiasedInterruptTime on
    // Windows); -1 where there is none.
    virtual int64_t AwakeMilliseconds() { return -1; }
    // Milliseconds since 1970-01-01 00:00 UTC by the system's clock, which
    // knows dates and which daylight saving does not move (a user may still
    // set it); -1 where there is none.
    virtual int64_t UtcMilliseconds() { return -1; }
    // Minutes to add to a UTC instant (milliseconds since 1970) for the
    // local time at that instant, daylight saving included.
    virtual int32_t LocalOffsetMinutes(int64_t utcMs) { (void)utcMs; return 0; }
};

// Measured intervals whose clock length and awake length differ by more
// than this contained a sleep, or the clock was set.
inline constexpr int64_t kSleepToleranceMs = 60000;

// The clocks read at one moment; -1 where a clock is missing (for dayMs: no
// reading).
struct ClockReading {
    int32_t dayMs = -1;
    int64_t awakeMs = -1;
    int64_t utcMs = -1;
};
ClockReading ReadClocks(Clock& clock);

// True when the interval from a reading to now contained a sleep or a change
// of the clock. Without an awake clock nothing is suspect.
bool SleptBetween(const ClockReading& start, const ClockReading& now);

// Milliseconds since local midnight, 0 to 86 399 999. It falls back to 0 at
// midnight and knows nothing of dates: an interval measured across midnight
// comes out negative.
int32_t MillisecondsOfDay(const LocalTime& t);
int32_t MillisecondsOfDay(Clock& clock);

}  // namespace kavelo
