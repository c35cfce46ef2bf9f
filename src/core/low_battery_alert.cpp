#include "core/low_battery_alert.h"

namespace kavelo {

std::string LowBatteryMessage(int percent) {
    return "Warning !!!\r\rBattery low..." + std::to_string(percent) + "% left";
}

void LowBatteryAlert::CheckLowBatteryAlert() {
    if (state_.AlertOn == state_.AlertShown) return;
    // Remembered before the box opens: the ticks and power events that the
    // box's modal loop keeps dispatching must find nothing new to report.
    state_.AlertShown = state_.AlertOn;
    if (!state_.AlertOn) return;
    // A failed reading left the last snapshot there, not a 0%.
    sink_.ShowAlertMessage(LowBatteryMessage(state_.Power.BatteryLifePercent));
}

}  // namespace kavelo
