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
};

// Milliseconds since local midnight, 0 to 86 399 999. It falls back to 0 at
// midnight and knows nothing of dates: an interval measured across midnight
// comes out negative.
int32_t MillisecondsOfDay(const LocalTime& t);
int32_t MillisecondsOfDay(Clock& clock);

}  // namespace kavelo
