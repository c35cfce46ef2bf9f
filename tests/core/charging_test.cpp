// Sleep kept out of the learned histories, charging learned per band, and
// the one-shot charge alert, through the refresh cycle and its fakes.
#include <gtest/gtest.h>

#include <cmath>

#include "core/refresh_cycle.h"
#include "fakes/core_fakes.h"
#include "fakes/recording_view.h"

namespace kavelo {
namespace {

using namespace fakes;

struct Rig {
    GaugeState state;
    FakePower power;
    FakeClock clock;
    FakeTimer timer;
    RecordingView view;
    FakeMessages messages;
    LowBatteryAlert alert{state, power, messages};
    RefreshCycle cycle{state, power, clock, timer, view, alert};
    Rig() { clock.awake = 5000; }
    void Battery(uint8_t p) { power.Battery(p), cycle.RefreshStatus(); }
    void Charging(uint8_t p, bool charging = true) { power.Charging(p, charging), cycle.RefreshStatus(); }
};

// Readings on battery at 80, 79, 78, 77 a minute apart, with `between`
// happening after the reading at 79: the samples recorded, newest first.
TEST(SleepGuard, AnIntervalWithASleepIsNotRecorded) {
    struct Case {
        const char* what;
        std::function<void(Rig&)> between;
        std::vector<int32_t> temps;
    } cases[] = {
        {"awake throughout", [](Rig&) {}, {60000, 60000}},
        {"a long interval, clocks agreeing", [](Rig& r) { r.clock.Advance(3 * 3600000); }, {60000, 3 * 3600000 + 60000}},
        {"a suspend broadcast", [](Rig& r) { r.cycle.WMPowerBroadcast(kPowerSuspend); }, {60000}},
        {"a sleep nobody announced", [](Rig& r) { r.clock.Sleep(2 * 3600000); }, {60000}},
        {"a sleep of a minute, within tolerance", [](Rig& r) { r.clock.Sleep(kSleepToleranceMs); }, {60000, 120000}},
        {"the clock set back an hour", [](Rig& r) { r.clock.ms -= 3600000; }, {60000}},
    };
    for (const Case& c : cases) {
        Rig r;
        r.clock.ms = 10 * 3600000;
        r.Battery(80);
        for (uint8_t p : {79, 78, 77}) {
            if (p == 78) c.between(r);
            r.clock.Advance(60000);
            r.Battery(p);
        }
        std::vector<int32_t> temps;
        for (int i = 0; i < r.state.History.Count(); ++i) temps.push_back(r.state.History.Samples[i].Temps);
        EXPECT_EQ(temps, c.temps) << c.what;
    }
}

TEST(SleepGuard, MidnightStillDropsOnlyItsOwnInterval) {
    Rig r;
    r.clock.ms = 86400000 - 90000;
    r.Battery(80);
    for (uint8_t p : {79, 78, 77}) {
        r.clock.Advance(60000);
        r.Battery(p);
    }
    // 79 -> 78 crosses midnight and is dropped; 78 -> 77 is recorded.
    ASSERT_EQ(r.state.History.Count(), 1);
    EXPECT_EQ(r.state.History.Samples[0].Temps, 60000);
}

// Milliseconds a point takes at p: 45 s below 80 % (an hour to 80), then
// slower and slower, three times as slow at 99.
int32_t PointMs(int p) { return p < 80 ? 45000 : 45000 + (p - 79) * 4500; }
int64_t TrueMsToFull(int from) {
    int64_t ms = 0;
    for (int p = from; p < 100; ++p) ms += PointMs(p);
    return ms;
}
void ChargeFrom(Rig& r, int from, int to) {
    for (int p = from; p <= to; ++p) {
        r.Charging(static_cast<uint8_t>(p));
        if (p < to) r.clock.Advance(PointMs(p));
    }
}

TEST(ChargeLearning, EstimateFollowsACurveThatSlowsNearFull) {
    Rig r;
    ChargeFrom(r, 20, 24);
    EXPECT_EQ(r.state.SecondsToFull, -1) << "bands above are unknown";
    EXPECT_EQ(r.state.ChargeHistory.Count(2), 3) << "the first rise after plugging in is partial";
    r.Battery(24);  // unplugged, then a full charge from 3 %
    ChargeFrom(r, 3, 100);
    EXPECT_EQ(r.state.SecondsToFull, -1) << "nothing to gain at 100";
    // Within 5 % from every start up to 90; above, the last points weigh on
    // a band that learned its upper part, and the error stays under a minute.
    for (int at = 0; at < 100; ++at) {
        const double truth = TrueMsToFull(at) / 1000.0;
        EXPECT_NEAR(r.state.ChargeHistory.SecondsToFull(at), truth, at <= 90 ? truth * 0.05 : 60.0) << "at " << at;
    }
}

TEST(ChargeLearning, PlugInResumeAndChargeLimitRecordNothing) {
    Rig r;
    ChargeFrom(r, 50, 51);  // the first rise after plugging in
    EXPECT_TRUE(r.state.ChargeHistory.Empty());
    r.clock.Advance(60000);
    r.cycle.WMPowerBroadcast(kPowerResumeAutomatic);
    ChargeFrom(r, 52, 53);  // the rise across the resume is not recorded, the next one is
    EXPECT_EQ(r.state.ChargeHistory.Count(5), 1);
    // Held at 80 by a charge limit: not charging, no time to full, and the
    // hold is not learned as a slow rise when charging goes on.
    r.state.ChargeHistory.Bands[8][0] = {600000, 10};
    r.state.ChargeHistory.Bands[9][0] = {600000, 10};
    ChargeFrom(r, 56, 80);
    EXPECT_GT(r.state.SecondsToFull, 0);
    r.clock.Advance(3600000);
    r.Charging(80, false);
    EXPECT_EQ(r.state.SecondsToFull, -1);
    ChargeFrom(r, 80, 82);
    EXPECT_EQ(r.state.ChargeHistory.Count(8), 2);
    EXPECT_EQ(r.state.ChargeHistory.Bands[8][0].Temps, PointMs(81));
}

// Readings on mains (percent) or on battery (-percent); the alerts shown.
TEST(ChargeAlert, ShownOnceWhenTheLevelIsReachedFromBelow) {
    struct Case {
        const char* what;
        bool on;
        std::vector<int> readings;
        int shown;
    } cases[] = {
        {"79 then 80", true, {79, 80, 80, 81, 100}, 1},
        {"option off", false, {79, 80, 81}, 0},
        {"plugged in above the level", true, {85, 90, 100}, 0},
        {"a jump over the level", true, {78, 82}, 1},
        {"unplugged and plugged in below", true, {79, 80, -80, -75, 75, 80}, 2},
        {"unplugged above and plugged in again", true, {79, 80, -81, 81, 82}, 1},
        {"fell below on mains, rose again", true, {79, 80, 79, 80}, 2},
        {"on battery only", true, {-79, -80, -81}, 0},
        {"unknown charge", true, {79, 255, 80}, 1},
    };
    for (const Case& c : cases) {
        Rig r;
        r.state.ChargeAlert = c.on;
        for (int reading : c.readings)
            reading < 0 ? r.Battery(static_cast<uint8_t>(-reading)) : r.Charging(static_cast<uint8_t>(reading));
        EXPECT_EQ(static_cast<int>(r.view.chargeAlerts.size()), c.shown) << c.what;
    }
    Rig full;
    full.state.ChargeAlert = true;
    full.state.ChargeAlertPercent = 100;
    full.Charging(99), full.Charging(100);
    EXPECT_EQ(full.view.chargeAlerts, std::vector<std::string>{"Battery fully charged / You can unplug the charger."});
    Rig eighty;
    eighty.state.ChargeAlert = true;
    eighty.Charging(79), eighty.Charging(80);
    EXPECT_EQ(eighty.view.chargeAlerts, std::vector<std::string>{"Battery charged to 80 % / You can unplug the charger."});
}

}  // namespace
}  // namespace kavelo
