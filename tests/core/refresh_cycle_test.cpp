#include <gtest/gtest.h>

#include "core/refresh_cycle.h"
#include "fakes/core_fakes.h"
#include "fakes/recording_view.h"

namespace kavelo {
namespace {

using fakes::FakeClock;
using fakes::FakeMessages;
using fakes::FakePower;
using fakes::FakeTimer;
using fakes::RecordingView;
using namespace fakes;

struct Gauge {
    GaugeState state;
    FakePower power;
    FakeClock clock;
    FakeTimer timer;
    RecordingView view;
    FakeMessages messages;
    LowBatteryAlert alert{state, messages};
    RefreshCycle cycle{state, power, clock, timer, view, alert};

    void BatteryAt(uint8_t p, int32_t atMs) {
        power.Battery(p);
        clock.ms = atMs;
        cycle.RefreshStatus();
    }
    void Battery(int p) { power.Battery(static_cast<uint8_t>(p)), cycle.RefreshStatus(); }
    void Charging(int p, bool charging = true) { power.Charging(static_cast<uint8_t>(p), charging), cycle.RefreshStatus(); }
};

TEST(Measuring, FirstLevelAndFirstDropRecordNothing) {
    Gauge g;
    g.BatteryAt(80, 1000);
    EXPECT_EQ(g.state.LastPercent, 80);
    EXPECT_EQ(g.state.LastChangeTime, 1000);
    EXPECT_TRUE(g.state.HistoryRestart);
    g.BatteryAt(80, 5000);  // same level: nothing
    EXPECT_EQ(g.state.LastChangeTime, 1000);
    g.BatteryAt(79, 61000);
    EXPECT_EQ(g.state.History.Count(), 0);
    EXPECT_FALSE(g.state.HistoryRestart);
    EXPECT_EQ(g.state.LastChangeTime, 61000);
    g.BatteryAt(78, 181000);
    ASSERT_EQ(g.state.History.Count(), 1);
    EXPECT_EQ(g.state.History.Samples[0].Temps, 120000);
    EXPECT_EQ(g.state.History.Samples[0].Conso, 1);
    EXPECT_EQ(g.state.EstimatedSeconds, 120000 * 78 / 1000);
}

TEST(Measuring, MultiPointDropRiseMainsAndResume) {
    Gauge g;
    g.BatteryAt(80, 0);
    g.BatteryAt(79, 10000);
    g.BatteryAt(76, 40000);  // a drop of three points is one sample
    ASSERT_EQ(g.state.History.Count(), 1);
    EXPECT_EQ(g.state.History.Samples[0].Conso, 3);

    g.BatteryAt(77, 50000);  // a rise restarts measuring, no sample
    EXPECT_EQ(g.state.History.Count(), 1);
    EXPECT_EQ(g.state.LastPercent, 77);
    EXPECT_TRUE(g.state.HistoryRestart);

    g.power.Mains(77);
    g.cycle.RefreshStatus();
    EXPECT_EQ(g.state.LastPercent, -1);
    EXPECT_EQ(g.state.LastChangeTime, -1);
    EXPECT_EQ(g.state.EstimatedSeconds, -1);

    g.BatteryAt(77, 60000);  // unplugged: first level, then first drop, record nothing
    g.BatteryAt(76, 70000);
    EXPECT_EQ(g.state.History.Count(), 1);
    g.BatteryAt(75, 90000);
    EXPECT_EQ(g.state.History.Count(), 2);
    EXPECT_EQ(g.state.History.Samples[0].Temps, 20000);

    // A resume between two readings: the interval holding the sleep is lost,
    // for the user-woken and the automatic resume alike.
    for (uint32_t resume : {7u, 18u}) {
        const int before = g.state.History.Count();
        g.clock.ms += 100000;
        g.cycle.WMPowerBroadcast(resume);
        g.BatteryAt(static_cast<uint8_t>(g.state.LastPercent - 1), g.clock.ms + 3600000);
        EXPECT_EQ(g.state.History.Count(), before) << "resume event " << resume;
        EXPECT_FALSE(g.state.HistoryRestart);
    }
    // Any other power event only refreshes and re-applies the size.
    g.view.calls.clear();
    g.cycle.WMPowerBroadcast(10);
    EXPECT_FALSE(g.state.HistoryRestart);
    EXPECT_EQ(g.view.calls.back(), "FormResize");
}

TEST(Timer1, RunsExactlyWhenAlertOrUnknownEstimate) {
    Gauge g;
    g.BatteryAt(50, 0);  // empty history: unknown estimate, timer runs
    EXPECT_EQ(g.state.EstimatedSeconds, -1);
    EXPECT_TRUE(g.timer.enabled);
    EXPECT_EQ(g.view.LastFace(), "DrawTimeFace -1");

    g.state.History.AddSample(60000, 1);
    g.BatteryAt(50, 1000);  // known estimate, no alert: no ticks
    EXPECT_EQ(g.state.EstimatedSeconds, 3000);
    EXPECT_FALSE(g.timer.enabled);

    // The painter raises the alert: the timer blinks.
    g.view.onPaint = [&](int32_t) { g.state.AlertOn = true; };
    g.BatteryAt(50, 2000);
    EXPECT_TRUE(g.timer.enabled);
    EXPECT_EQ(g.messages.shown.size(), 1u);

    // On mains the timer polls, whatever the alert.
    g.view.onPaint = nullptr;
    g.state.AlertOn = false;
    g.power.Mains(50);
    g.cycle.RefreshStatus();
    EXPECT_TRUE(g.timer.enabled);
    EXPECT_EQ(g.view.LastFace(), "ShowPercent 50");  // mains: always the percentage face
}

TEST(Timer1, TickOnMainsPollsWithoutBlinking) {
    Gauge g;
    g.power.Mains(90);
    g.cycle.RefreshStatus();
    g.state.AlertOn = true;
    g.power.Mains(91);
    const int reads = g.power.reads;
    g.cycle.Timer1Timer();
    EXPECT_FALSE(g.state.AlertOn);
    EXPECT_FALSE(g.state.BlinkPhase);
    EXPECT_GT(g.power.reads, reads);
    EXPECT_EQ(g.view.LastFace(), "ShowPercent 91");
    EXPECT_TRUE(g.timer.enabled);
}

TEST(Timer1, TicksOnBatteryAlternateTheFaces) {
    Gauge g;
    g.BatteryAt(40, 0);  // unknown estimate, time mode
    g.cycle.Timer1Timer();
    EXPECT_EQ(g.view.LastFace(), "DrawTimeFace -1");
    EXPECT_TRUE(g.state.BlinkPhase);
    g.cycle.Timer1Timer();
    EXPECT_EQ(g.view.LastFace(), "DrawTimeFace -2");
    EXPECT_FALSE(g.state.BlinkPhase);

    g.state.PercentMode = true;  // percentage mode shows the percentage again
    g.cycle.Timer1Timer();
    EXPECT_EQ(g.view.LastFace(), "ShowPercent 40");

    g.state.PercentMode = false;
    g.state.AlertOn = true;
    g.state.EstimatedSeconds = 240;
    g.state.BlinkPhase = true;
    g.cycle.Timer1Timer();
    EXPECT_EQ(g.view.LastFace(), "DrawBlackPhase");
    g.cycle.Timer1Timer();
    EXPECT_EQ(g.view.LastFace(), "DrawTimeFace 240");
    EXPECT_TRUE(g.state.BlinkPhase);
}

TEST(Caption, FollowsPercentMinimisedAndAbsentBattery) {
    Gauge g;
    g.BatteryAt(57, 0);
    EXPECT_EQ(g.view.caption, "Batterie : 57%");
    g.view.minimised = true;
    g.BatteryAt(5, 0);
    EXPECT_EQ(g.view.caption, "Bat. : 5%");
    g.view.minimised = false;
    g.state.AlertOn = true;  // an alert from before: the label changes nothing
    g.view.calls.clear();
    g.BatteryAt(kUnknownPercent, 0);
    EXPECT_EQ(g.view.caption, "Batterie : Absente");
    EXPECT_EQ(g.view.LastFace(), "ShowLabel Absente");
    EXPECT_TRUE(g.state.AlertOn);
    EXPECT_EQ(PercentLabel(100), "100%");
}

TEST(Caption, FailedReadKeepsThePreviousSnapshot) {
    Gauge g;
    g.BatteryAt(57, 0);
    g.power.fail = true;
    g.power.Battery(10);
    g.cycle.RefreshStatus();
    EXPECT_EQ(g.view.caption, "Batterie : 57%");
}

TEST(LowBatteryAlert, ShowsOncePerEpisodeWithTheChargeRead) {
    Gauge g;
    g.alert.CheckLowBatteryAlert();
    EXPECT_TRUE(g.messages.shown.empty());
    g.state.AlertOn = true;
    g.state.Power = {0, 9};
    for (int i = 0; i < 5; ++i) g.alert.CheckLowBatteryAlert();
    ASSERT_EQ(g.messages.shown.size(), 1u);
    EXPECT_EQ(g.messages.shown[0], "Warning !!!\r\rBattery low...9% left");
    g.state.AlertOn = false;
    g.alert.CheckLowBatteryAlert();
    EXPECT_EQ(g.messages.shown.size(), 1u);
    g.state.AlertOn = true;
    g.state.Power = {0, 5};
    g.alert.CheckLowBatteryAlert();
    ASSERT_EQ(g.messages.shown.size(), 2u);
    EXPECT_EQ(g.messages.shown[1], "Warning !!!\r\rBattery low...5% left");
}

TEST(LowBatteryAlert, CallsMadeWhileTheBoxIsOpenFindNothingNew) {
    GaugeState state;
    struct Reentrant : AlertMessageSink {
        LowBatteryAlert* alert = nullptr;
        int shown = 0;
        void ShowAlertMessage(const std::string&) override {
            ++shown;
            alert->CheckLowBatteryAlert();  // a tick dispatched by the box's loop
        }
    } sink;
    LowBatteryAlert alert(state, sink);
    sink.alert = &alert;
    state.AlertOn = true;
    alert.CheckLowBatteryAlert();
    EXPECT_EQ(sink.shown, 1);
}

TEST(ResetHistory, EmptiesThenRestartsMeasuringAfterItsRefresh) {
    Gauge g;
    g.BatteryAt(80, 0);
    g.BatteryAt(79, 1000);
    g.BatteryAt(78, 61000);
    g.power.Battery(77);
    g.clock.ms = 121000;
    g.state.ChargeHistory.AddSample(50, 60000, 1);
    g.cycle.ResetHistory();
    EXPECT_TRUE(g.state.ChargeHistory.Empty());
    // The refresh inside the reset recorded the interval under way.
    ASSERT_EQ(g.state.History.Count(), 1);
    EXPECT_EQ(g.state.History.Samples[0].Temps, 60000);
    EXPECT_EQ(g.state.LastChangeTime, -1);
    EXPECT_TRUE(g.state.HistoryRestart);
    g.BatteryAt(76, 200000);
    EXPECT_EQ(g.state.History.Count(), 1);
}

TEST(UpdatePowerSource, SizesBeforeRefreshing) {
    Gauge g;
    g.power.Mains(60);
    g.cycle.FormActivate();
    EXPECT_TRUE(g.state.OnMains);
    ASSERT_GE(g.view.calls.size(), 2u);
    EXPECT_EQ(g.view.calls[0], "FormResize");
}

// Readings on battery at 80, 79, 78, 77 a minute apart from `start`, with
// `between` after the reading at 79: the Temps recorded, newest first; with
// a UTC clock where `utc`.
TEST(SleepGuard, AnIntervalWithASleepIsNotRecorded) {
    const int32_t kTen = 10 * 3600000, kMidnight = 86400000 - 90000;
    const struct {
        const char* what;
        int32_t start;
        std::function<void(Gauge&)> between;
        std::vector<int32_t> temps;
        bool utc = false;
    } cases[] = {
        {"a long interval, clocks agreeing", kTen, [](Gauge& r) { r.clock.Advance(3 * 3600000); }, {60000, 3 * 3600000 + 60000}},
        {"a suspend broadcast", kTen, [](Gauge& r) { r.cycle.WMPowerBroadcast(kPowerSuspend); }, {60000}},
        {"a sleep nobody announced", kTen, [](Gauge& r) { r.clock.Sleep(2 * 3600000); }, {60000}},
        {"a minute asleep, within tolerance", kTen, [](Gauge& r) { r.clock.Sleep(kSleepToleranceMs); }, {60000, 120000}},
        {"the clock set back an hour", kTen, [](Gauge& r) { r.clock.ms -= 3600000; }, {60000}},
        {"midnight drops its own interval only", kMidnight, [](Gauge&) {}, {60000}},
        {"a day asleep", kTen, [](Gauge& r) { r.clock.Sleep(86400000); }, {60000}, true},
        {"a day but half a minute asleep", kTen, [](Gauge& r) { r.clock.Sleep(86370000); }, {60000}, true},
        {"daylight saving moves the time of day, not UTC", kTen, [](Gauge& r) { r.clock.ms += 3600000; }, {60000}, true},
        {"the screen off: nothing learned", kTen, [](Gauge& r) { r.cycle.WMPowerBroadcast(kPowerDisplayOff); }, {}},
        {"the screen off and on", kTen, [](Gauge& r) { r.cycle.WMPowerBroadcast(kPowerDisplayOff), r.cycle.WMPowerBroadcast(kPowerDisplayOn); }, {60000}},
    };
    for (const auto& c : cases) {
        Gauge r;
        r.clock.awake = 5000;
        r.clock.utc = c.utc ? 1765000000000 : -1;
        r.clock.ms = c.start;
        r.Battery(80);
        for (int p : {79, 78, 77}) {
            if (p == 78) c.between(r);
            r.clock.Advance(60000);
            r.Battery(p);
        }
        std::vector<int32_t> temps;
        for (int i = 0; i < r.state.History.Count(); ++i) temps.push_back(r.state.History.Samples[i].Temps);
        EXPECT_EQ(temps, c.temps) << c.what;
    }
}

// 45 s a point below 80 % (an hour to 80), then slower and slower: three
// times as slow at 99.
int32_t PointMs(int p) { return p < 80 ? 45000 : 45000 + (p - 79) * 4500; }
void ChargeFrom(Gauge& r, int from, int to) {
    for (int p = from; p <= to; ++p) {
        r.Charging(p);
        if (p < to) r.clock.Advance(PointMs(p));
    }
}

TEST(ChargeLearning, EstimateFollowsACurveThatSlowsNearFull) {
    Gauge r;
    ChargeFrom(r, 3, 100);
    EXPECT_EQ(r.state.ChargeHistory.Count(0), 6) << "the first rise after plugging in is partial";
    // Within 5 % from every start up to 90; above, the last points weigh on
    // a band that learned its upper part, and the error stays under a minute.
    for (int at = 0; at < 100; ++at) {
        int64_t truth = 0;
        for (int p = at; p < 100; ++p) truth += PointMs(p);
        EXPECT_NEAR(r.state.ChargeHistory.SecondsToFull(at), truth / 1000.0, at <= 90 ? truth / 20000.0 : 60.0) << at;
    }
}

TEST(ChargeLearning, ResumeAndChargeLimitAreNotLearned) {
    Gauge r;
    ChargeFrom(r, 50, 51);
    r.clock.Advance(60000);
    r.cycle.WMPowerBroadcast(kPowerResumeAutomatic);
    ChargeFrom(r, 52, 53);  // the rise across the resume is not recorded, the next one is
    EXPECT_EQ(r.state.ChargeHistory.Count(5), 1);
    r.state.ChargeHistory.Bands[8][0] = r.state.ChargeHistory.Bands[9][0] = {600000, 10};
    ChargeFrom(r, 54, 80);
    EXPECT_GT(r.state.SecondsToFull, 0);
    r.clock.Advance(3600000);
    r.Charging(80, false);  // held at 80 by a charge limit: no time to full, and the hold isn't learned
    EXPECT_EQ(r.state.SecondsToFull, -1);
    ChargeFrom(r, 80, 82);
    EXPECT_EQ(r.state.ChargeHistory.Bands[8][0].Temps, PointMs(81));
    EXPECT_EQ(r.state.ChargeHistory.Count(8), 2);
}

// Readings on mains (percent) or on battery (-percent): how many alerts.
TEST(ChargeAlert, ShownOnceWhenTheLevelIsReachedFromBelow) {
    const struct {
        const char* what;
        bool on;
        std::vector<int> readings;
        size_t shown;
    } cases[] = {
        {"79 then 80", true, {79, 80, 80, 81, 100}, 1},
        {"option off", false, {79, 80, 81}, 0},
        {"plugged in above the level", true, {85, 90, 100}, 0},
        {"a jump over the level", true, {78, 82}, 1},
        {"unplugged and plugged in below", true, {79, 80, -80, -75, 75, 80}, 2},
        {"unplugged above, plugged in again", true, {79, 80, -81, 81, 82}, 1},
        {"fell below on mains, rose again", true, {79, 80, 79, 80}, 2},
        {"an unknown charge between", true, {79, 255, 80}, 1},
    };
    for (const auto& c : cases) {
        Gauge r;
        r.state.ChargeAlert = c.on;
        for (int reading : c.readings) reading < 0 ? r.Battery(-reading) : r.Charging(reading);
        EXPECT_EQ(r.view.chargeAlerts.size(), c.shown) << c.what;
    }
    EXPECT_EQ(ChargeAlertTitle(100), "Battery fully charged");
}

}  // namespace
}  // namespace kavelo
