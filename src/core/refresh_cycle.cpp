#include "core/refresh_cycle.h"

namespace kavelo {

std::string PercentLabel(uint8_t percent) {
    if (percent == kUnknownPercent) return "Absente";
    return std::to_string(percent) + "%";
}

std::string WindowCaption(const std::string& label, bool minimised) {
    return (minimised ? "Bat. : " : "Batterie : ") + label;
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
    GaugeState& s = state_;
    power_.Read(s.Power);
    const uint8_t p = s.Power.BatteryLifePercent;
    s.OnMains = (s.Power.ACLineStatus == 1);
    s.EstimatedSeconds = -1;
    if (s.OnMains) {
        s.LastPercent = -1;
        s.LastChangeTime = -1;
        timer1_.SetEnabled(false);
        s.HistoryRestart = true;
    } else {
        MeasureOnBattery(p);
    }
    // On mains the estimate is unknown, so the timer polls all the time.
    timer1_.SetEnabled((timer1_.Enabled() && s.AlertOn) || s.EstimatedSeconds < 0);
    PaintFace(p);
    view_.SetCaption(WindowCaption(PercentLabel(p), view_.IsMinimised()));
    view_.UpdateTrayTip();
    alert_.CheckLowBatteryAlert();
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
    if (IsResumeEvent(event)) {
        state_.LastChangeTime = -1;
        state_.HistoryRestart = true;
    }
    RefreshStatus();
    view_.FormResize();
}

void RefreshCycle::UpdatePowerSource() {
    // A failed reading leaves the last snapshot, so the size doesn't jump.
    PowerStatus own = state_.Power;
    power_.Read(own);
    state_.OnMains = (own.ACLineStatus == 1);
    view_.FormResize();
    RefreshStatus();
}

void RefreshCycle::ResetHistory() {
    state_.History.Init();
    RefreshStatus();
    state_.LastChangeTime = -1;
    state_.HistoryRestart = true;
}

}  // namespace kavelo
