#pragma once
// Fakes of the power status, the clock and the timer for native tests.
#include <functional>
#include <string>
#include <vector>

#include "core/day_clock.h"
#include "core/low_battery_alert.h"
#include "core/power.h"
#include "core/timer.h"

namespace kavelo::fakes {

class FakePower final : public PowerSource {
public:
    PowerStatus status{0, 100};
    bool fail = false;
    int reads = 0;
    bool Read(PowerStatus& s) override {
        ++reads;
        if (fail) return false;
        s = status;
        return true;
    }
    void Battery(uint8_t percent) { status = {0, percent}; }
    void Mains(uint8_t percent) { status = {1, percent}; }
    // On mains, the battery taking charge (or held, not charging).
    void Charging(uint8_t percent, bool charging = true) {
        status = {1, percent, static_cast<uint8_t>(charging ? kBatteryFlagCharging : 0)};
    }
};

// A clock set by the test, in milliseconds of the day, with an awake clock
// once `awake` is set (-1: none).
class FakeClock final : public Clock {
public:
    int32_t ms = 0;
    int64_t awake = -1;
    int64_t utc = -1;  // milliseconds since 1970, once set
    int32_t offsetMinutes = 0;
    LocalTime Now() override {
        return LocalTime{ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000};
    }
    int64_t AwakeMilliseconds() override { return awake; }
    int64_t UtcMilliseconds() override { return utc; }
    int32_t LocalOffsetMinutes(int64_t) override { return offsetMinutes; }
    void Advance(int32_t delta) {
        ms = (ms + delta) % 86400000;
        if (awake >= 0) awake += delta;
        if (utc >= 0) utc += delta;
    }
    // The machine sleeps: the day goes on, the awake clock stands.
    void Sleep(int32_t delta) {
        ms = (ms + delta) % 86400000;
        if (utc >= 0) utc += delta;
    }
};

class FakeTimer final : public Timer {
public:
    bool enabled = false;
    int starts = 0;  // disabled -> enabled transitions
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override {
        if (e && !enabled) ++starts;
        enabled = e;
    }
};

// The alert's message box; `onShow` runs while it is open.
class FakeMessages final : public AlertMessageSink {
public:
    std::vector<std::string> shown;
    std::function<void()> onShow;
    void ShowAlertMessage(const std::string& text) override {
        shown.push_back(text);
        if (onShow) onShow();
    }
};

}  // namespace kavelo::fakes
