#pragma once
#include <cstdint>
#include <string>

#include "core/day_clock.h"
#include "core/gauge_state.h"
#include "core/low_battery_alert.h"
#include "core/power.h"
#include "core/timer.h"

namespace kavelo {

// What the refresh cycle asks of the gauge window and its faces.
class GaugeView {
public:
    virtual ~GaugeView() = default;
    // Percentage face, stepped from the value shown to `percent`.
    virtual void ShowPercent(uint8_t percent) = 0;
    // Time face for seconds left, or -1 (unknown) / -2 (its blank phase).
    virtual void DrawTimeFace(int32_t seconds) = 0;
    // Blank phase of an alert: the face all black, the tray pictures plain.
    virtual void DrawBlackPhase() = 0;
    // The face hidden and Label1 showing `text` across the client area
    // (the charge is unknown).
    virtual void ShowLabel(const std::string& text) = 0;
    // The face shown, Label1 hidden and holding `text`.
    virtual void ShowFace(const std::string& text) = 0;
    virtual bool IsMinimised() const = 0;
    // The window caption, which is also the application's hint and title.
    virtual void SetCaption(const std::string& caption) = 0;
    // The tip of both tray icons, from the refresh's reading (state.Power).
    virtual void UpdateTrayTip() = 0;
    // Re-applies the window size rule.
    virtual void FormResize() = 0;
    // A notification that takes no focus (a balloon from the tray).
    virtual void ShowChargeAlert(const std::string& title, const std::string& text) { (void)title, (void)text; }
};

// Text of Label1 for a percentage: "57%", or "Absente" when unknown.
std::string PercentLabel(uint8_t percent);
// "Batterie : 57%", or "Bat. : 57%" when the window is minimised.
std::string WindowCaption(const std::string& label, bool minimised);
// The charge alert's title for a level: "Battery charged to 80 %", or
// "Battery fully charged" at 100; its text says the charger can go.
std::string ChargeAlertTitle(int32_t level);
// The levels the charge alert can be set to.
inline constexpr int32_t kChargeAlertLowest = 50;
inline constexpr int32_t kChargeAlertHighest = 100;
inline constexpr const char* kChargeAlertText = "You can unplug the charger.";

// The refresh cycle: reads the power status once per refresh (the faces,
// the tip and the alerts all take that reading from state.Power), measures
// discharge intervals into the history, computes the estimate, decides when
// Timer1 runs and brings the face, caption and tray up to date.
class RefreshCycle {
public:
    RefreshCycle(GaugeState& state, PowerSource& power, Clock& clock, Timer& timer1,
                 GaugeView& view, LowBatteryAlert& alert)
        : state_(state), power_(power), clock_(clock), timer1_(timer1), view_(view), alert_(alert) {}

    // Reads the power status, then refreshes from that reading.
    void RefreshStatus();
    void Timer1Timer();
    void WMPowerBroadcast(uint32_t event);
    void UpdatePowerSource();
    void FormActivate() { UpdatePowerSource(); }
    // The user's history reset: both histories emptied, one refresh (which
    // may record the interval under way into the empty history), then
    // measuring starts afresh as after a resume.
    void ResetHistory();

private:
    void Refresh();
    void SleepGuard();
    void BreakMeasuring();
    void MeasureOnBattery(int32_t p);
    void MeasureCharging(uint8_t p);
    void StopCharging();
    void CheckChargeAlert(uint8_t p);
    void PaintFace(uint8_t p);

    GaugeState& state_;
    PowerSource& power_;
    Clock& clock_;
    Timer& timer1_;
    GaugeView& view_;
    LowBatteryAlert& alert_;
};

}  // namespace kavelo
