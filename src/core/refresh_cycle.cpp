#include "core/refresh_cycle.h"

#include <algorithm>

namespace kavelo {

std::string PercentLabel(uint8_t percent) {
    if (percent == kUnknownPercent) return "Absente";
    return std::to_string(percent) + "%";
}

std::string WindowCaption(const std::string& label, bool minimised) {
    return (minimised ? "Bat. : " : "Batterie : ") + label;
}

std::string ChargeAlertTitle(int32_t level) {
    if (level >= 100) return "Battery fully charged";
    return "Battery charged to " + std::to_string(level) + " %";
}

// A sleep between two readings may go unannounced (modern standby doesn't
// always broadcast it): an interval whose clock length and awake length
// disagree is dropped as on a resume. While the screen is off the machine
// drains far slower than in use: nothing is learned then.
void RefreshCycle::SleepGuard() {
    GaugeState& s = state_;
    if (s.DisplayOff) BreakMeasuring();
    if (s.LastChangeTime < 0 && s.ChargeLastChangeTime < 0) return;
    const ClockReading now = ReadClocks(clock_);
    if (SleptBetween({s.LastChangeTime, s.LastChangeAwake, s.LastChangeUtc}, now)) {
        s.LastChangeTime = -1;
        s.HistoryRestart = true;
    }
    if (SleptBetween({s.ChargeLastChangeTime, s.ChargeLastAwake, s.ChargeLastUtc}, now)) {
        s.ChargeLastChangeTime = -1;
        s.ChargeRestart = true;
    }
}

// The interval under way contains a sleep, or is cut by one: neither it nor
// the next change is recorded; the levels are kept.
void RefreshCycle::BreakMeasuring() {
    state_.LastChangeTime = -1;
    state_.HistoryRestart = true;
    state_.ChargeLastChangeTime = -1;
    state_.ChargeRestart = true;
}

void RefreshCycle::StopCharging() {
    state_.ChargeLastPercent = -1;
    state_.ChargeLastChangeTime = -1;
    state_.ChargeRestart = true;
}

// Rises are measured as drops are on battery: the level seen first after
// plugging in was entered at an unknown moment, so the first rise records
// nothing.
void RefreshCycle::MeasureCharging(uint8_t p) {
    GaugeState& s = state_;
    if (!IsCharging(s.Power)) {
        StopCharging();
        return;
    }
    if (p < s.ChargeLastPercent) StopCharging();
    if (p != s.ChargeLastPercent) {
        if (!s.ChargeRestart)
            s.ChargeHistory.AddSample(s.ChargeLastPercent, MillisecondsOfDay(clock_) - s.ChargeLastChangeTime,
                                      p - s.ChargeLastPercent);
        s.ChargeRestart = (s.ChargeLastPercent == -1);
        s.ChargeLastPercent = p;
        s.ChargeLastChangeTime = MillisecondsOfDay(clock_);
        s.ChargeLastAwake = clock_.AwakeMilliseconds();
        s.ChargeLastUtc = clock_.UtcMilliseconds();
    }
    s.SecondsToFull = s.ChargeHistory.SecondsToFull(p);
}

// Shown once when a reading on mains finds the level reached from below;
// again only once the charge was seen below it, on mains, since.
void RefreshCycle::CheckChargeAlert(uint8_t p) {
    GaugeState& s = state_;
    if (!s.OnMains || p == kUnknownPercent) {
        if (!s.OnMains) s.ChargeBelowLevel = false;
        return;
    }
    // A stored level the dialog would not take (a value planted in the
    // registry) counts as the nearer one it would.
    const int32_t level = std::clamp(s.ChargeAlertPercent, kChargeAlertLowest, kChargeAlertHighest);
    const bool reached = p >= level;
    const bool show = s.ChargeAlert && reached && s.ChargeBelowLevel;
    s.ChargeBelowLevel = !reached;
    if (show) view_.ShowChargeAlert(ChargeAlertTitle(level), kChargeAlertText);
}

void RefreshCycle::MeasureOnBattery(int32_t p) {
    GaugeState& s = state_;
    if (p > s.LastPercent) {  // the charge rose, or measuring was stopped
        s.LastPercent = -1;
        s.LastChangeTime = -1;
        s.HistoryRestart = true;
    }
    if (p != s.LastPercent) {
        if (!s.HistoryRestart)
            s.History.AddSample(MillisecondsOfDay(clock_) - s.LastChangeTime, s.LastPercent - p);
        // The level seen first was entered at an unknown moment: the interval
        // that ends at the first drop after a restart is not recorded.
        s.HistoryRestart = (s.LastPercent == -1);
        s.LastPercent = p;
        s.LastChangeTime = MillisecondsOfDay(clock_);
        s.LastChangeAwake = clock_.AwakeMilliseconds();
        s.LastChangeUtc = clock_.UtcMilliseconds();
    }
    s.EstimatedSeconds = EstimateSeconds(s.History.AverageMsPerPercent(s.HistoryLength), p);
    timer1_.SetEnabled(s.AlertOn || s.EstimatedSeconds < 0);
}

void RefreshCycle::PaintFace(uint8_t p) {
    GaugeState& s = state_;
    const std::string label = PercentLabel(p);
    if (p == kUnknownPercent) {
        view_.ShowLabel(label);
        return;
    }
    view_.ShowFace(label);
    if (s.PercentMode || s.OnMains)
        view_.ShowPercent(p);
    else
        view_.DrawTimeFace(s.EstimatedSeconds);
    if (timer1_.Enabled() != s.AlertOn) timer1_.SetEnabled(s.AlertOn || s.EstimatedSeconds < 0);
}

void RefreshCycle::RefreshStatus() {
    power_.Read(state_.Power);  // a failed reading leaves the last snapshot
    Refresh();
}

void RefreshCycle::Refresh() {
    GaugeState& s = state_;
    const uint8_t p = s.Power.BatteryLifePercent;
    s.OnMains = (s.Power.ACLineStatus == 1);
    s.EstimatedSeconds = -1;
    s.SecondsToFull = -1;
    SleepGuard();
    if (s.OnMains) {
        s.LastPercent = -1;
        s.LastChangeTime = -1;
        timer1_.SetEnabled(false);
        s.HistoryRestart = true;
        MeasureCharging(p);
    } else {
        StopCharging();
        MeasureOnBattery(p);
    }
    // On mains the estimate is unknown, so the timer polls all the time.
    timer1_.SetEnabled((timer1_.Enabled() && s.AlertOn) || s.EstimatedSeconds < 0);
    PaintFace(p);
    view_.SetCaption(WindowCaption(PercentLabel(p), view_.IsMinimised()));
    view_.UpdateTrayTip();
    alert_.CheckLowBatteryAlert();
    CheckChargeAlert(p);
}

void RefreshCycle::Timer1Timer() {
    GaugeState& s = state_;
    if (s.OnMains) {
        s.AlertOn = false;
        timer1_.SetEnabled(false);
        RefreshStatus();
        return;
    }
    if (s.AlertOn) {
        if (s.BlinkPhase)
            view_.DrawBlackPhase();
        else if (s.PercentMode)
            view_.ShowPercent(s.Power.BatteryLifePercent);
        else
            view_.DrawTimeFace(s.EstimatedSeconds);
    } else if (s.PercentMode) {
        view_.ShowPercent(s.Power.BatteryLifePercent);
    } else {
        view_.DrawTimeFace(s.BlinkPhase ? -2 : -1);
    }
    s.BlinkPhase = !s.BlinkPhase;
}

void RefreshCycle::WMPowerBroadcast(uint32_t event) {
    if (IsDisplayEvent(event)) state_.DisplayOff = (event == kPowerDisplayOff);
    if (IsSleepEvent(event) || IsDisplayEvent(event)) BreakMeasuring();
    RefreshStatus();
    view_.FormResize();
}

void RefreshCycle::UpdatePowerSource() {
    // A failed reading leaves the last snapshot, so the size doesn't jump.
    // The window takes its size from this reading, and the refresh
    // continues with it rather than asking the system again.
    power_.Read(state_.Power);
    state_.OnMains = (state_.Power.ACLineStatus == 1);
    view_.FormResize();
    Refresh();
}

void RefreshCycle::ResetHistory() {
    state_.History.Init();
    state_.ChargeHistory.Init();
    RefreshStatus();
    BreakMeasuring();
}

}  // namespace kavelo
