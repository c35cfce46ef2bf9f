#include "core/day_clock.h"

namespace kavelo {

int32_t MillisecondsOfDay(const LocalTime& t) {
    return ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

int32_t MillisecondsOfDay(Clock& clock) { return MillisecondsOfDay(clock.Now()); }

}  // namespace kavelo
