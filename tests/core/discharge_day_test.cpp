// A synthetic evening and night of use, driven event by event with the timer
// ticking wherever it runs, checked against the samples the measuring rules
// must give.
#include <gtest/gtest.h>

#include <vector>

#include "core/refresh_cycle.h"
#include "fakes/core_fakes.h"
#include "fakes/recording_view.h"

namespace kavelo {
namespace {

constexpr int64_t kMin = 60000;
constexpr int64_t kHour = 60 * kMin;

class DayOfDischarge : public ::testing::Test {
protected:
    GaugeState state;
    fakes::FakePower power;
    fakes::FakeClock clock;
    fakes::FakeTimer timer;
    fakes::RecordingView view;
    fakes::FakeMessages messages;
    LowBatteryAlert alert{state, messages};
    RefreshCycle cycle{state, power, clock, timer, view, alert};
    int64_t now = 0;  // absolute time; the day clock wraps at midnight
    int ticks = 0;

    void RunUntil(int64_t t) {
        while (timer.enabled && now + 500 <= t) {
            Set(now + 500);
            cycle.Timer1Timer();
            ++ticks;
        }
        Set(t);
    }
    void Set(int64_t t) {
        now = t;
        clock.ms = static_cast<int32_t>(now % (24 * kHour));
    }
    // A change of power status at time t, notified as the system does.
    void At(int64_t t, bool mains, uint8_t percent, uint32_t event = kPowerStatusChange) {
        RunUntil(t);
        power.status = {static_cast<uint8_t>(mains ? 1 : 0), percent};
        cycle.WMPowerBroadcast(event);
    }
    std::vector<std::pair<int32_t, int32_t>> Samples() const {
        std::vector<std::pair<int32_t, int32_t>> out;
        for (int i = 0; i < state.History.Count(); ++i)
            out.emplace_back(state.History.Samples[i].Temps, state.History.Samples[i].Conso);
        return out;
    }
};

TEST_F(DayOfDischarge, RecordsExactlyTheCompleteIntervals) {
    const int64_t evening = 22 * kHour;
    Set(evening);
    At(evening, false, 90);                 // first level: entered at an unknown moment
    At(evening + 10 * kMin, false, 89);     // first drop: nothing
    At(evening + 16 * kMin, false, 88);     // (6 min, 1)
    At(evening + 30 * kMin, false, 85);     // (14 min, 3)
    At(evening + 40 * kMin, true, 85);      // plugged in: measuring stops, the timer polls
    power.status = {1, 90};                 // charging, seen by the polls
    At(evening + 60 * kMin, false, 90);     // unplugged
    At(evening + 65 * kMin, false, 89);     // first drop after unplugging: nothing
    At(evening + 72 * kMin, false, 88);     // (7 min, 1)
    At(evening + 80 * kMin, false, 89);     // a rise: restart, nothing
    At(evening + 90 * kMin, false, 88);     // first drop after the restart: nothing
    At(evening + 97 * kMin, false, 87);     // (7 min, 1)
    At(evening + 118 * kMin, false, 86);    // (21 min, 1) at 23:58
    At(evening + 124 * kMin, false, 85);    // 00:04: across midnight, dropped
    At(evening + 130 * kMin, false, 84);    // (6 min, 1)
    At(evening + 132 * kMin, false, 84, kPowerSuspend);
    At(evening + 240 * kMin, false, 84, kPowerResumeAutomatic);  // woke at 02:00
    At(evening + 243 * kMin, false, 83);    // the interval holding the sleep: nothing
    At(evening + 249 * kMin, false, 82);    // (6 min, 1)

    const std::vector<std::pair<int32_t, int32_t>> expected = {
        {6 * kMin, 1}, {6 * kMin, 1}, {21 * kMin, 1}, {7 * kMin, 1},
        {7 * kMin, 1}, {14 * kMin, 3}, {6 * kMin, 1}};
    EXPECT_EQ(Samples(), expected);

    // Five newest: 47 minutes over 5 points, times 82 points left.
    EXPECT_EQ(state.EstimatedSeconds, static_cast<int32_t>(47 * kMin / 5 * 82 / 1000));
    EXPECT_FALSE(timer.enabled);
    EXPECT_EQ(view.caption, "Batterie : 82%");
    // Twenty minutes on mains polled every 500 ms.
    EXPECT_GE(ticks, 2400);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace kavelo
