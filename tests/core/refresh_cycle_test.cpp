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

struct Gauge {
    GaugeState state;
    FakePower power;
    FakeClock clock;
    FakeTimer timer;
    RecordingView view;
    FakeMessages messages;
    LowBatteryAlert alert{state, power, messages};
    RefreshCycle cycle{state, power, clock, timer, view, alert};

    void BatteryAt(uint8_t p, int32_t atMs) {
        power.Battery(p);
        clock.ms = atMs;
        cycle.RefreshStatus();
    }
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

TEST(LowBatteryAlert, ShowsOncePerEpisodeWithAFreshReading) {
    Gauge g;
    g.alert.CheckLowBatteryAlert();
    EXPECT_TRUE(g.messages.shown.empty());
    g.state.AlertOn = true;
    g.power.Battery(9);
    for (int i = 0; i < 5; ++i) g.alert.CheckLowBatteryAlert();
    ASSERT_EQ(g.messages.shown.size(), 1u);
    EXPECT_EQ(g.messages.shown[0], "Warning !!!\r\rBattery low...9% left");
    g.state.AlertOn = false;
    g.alert.CheckLowBatteryAlert();
    EXPECT_EQ(g.messages.shown.size(), 1u);
    g.state.AlertOn = true;
    g.power.Battery(5);
    g.alert.CheckLowBatteryAlert();
    ASSERT_EQ(g.messages.shown.size(), 2u);
    EXPECT_EQ(g.messages.shown[1], "Warning !!!\r\rBattery low...5% left");
}

TEST(LowBatteryAlert, CallsMadeWhileTheBoxIsOpenFindNothingNew) {
    GaugeState state;
    FakePower power;
    struct Reentrant : AlertMessageSink {
        LowBatteryAlert* alert = nullptr;
        int shown = 0;
        void ShowAlertMessage(const std::string&) override {
            ++shown;
            alert->CheckLowBatteryAlert();  // a tick dispatched by the box's loop
        }
    } sink;
    LowBatteryAlert alert(state, power, sink);
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

}  // namespace
}  // namespace kavelo
