#pragma once
#include <string>

#include "core/gauge_state.h"

namespace kavelo {

// Shows the modal "Information" message box; returns when it is closed.
class AlertMessageSink {
public:
    virtual ~AlertMessageSink() = default;
    virtual void ShowAlertMessage(const std::string& text) = 0;
};

std::string LowBatteryMessage(int percent);

// Reports the start of each alert once, with the charge of the refresh's
// reading. Any number of calls is fine: only a change of AlertOn since the
// last call does something.
class LowBatteryAlert {
public:
    LowBatteryAlert(GaugeState& state, AlertMessageSink& sink) : state_(state), sink_(sink) {}
    void CheckLowBatteryAlert();

private:
    GaugeState& state_;
    AlertMessageSink& sink_;
};

}  // namespace kavelo
