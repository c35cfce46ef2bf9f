#pragma once
// The details window's graph from the charge log: read and drawn only when
// the window asks, never while it is closed.
#include "app/battery_details.h"
#include "app/charge_logger.h"
#include "core/gauge_state.h"

namespace kavelo {

class ChargeLogGraph final : public DetailsGraph {
public:
    ChargeLogGraph(ChargeLogger& log, const GaugeState& state, Clock& clock, const PixelBuffer& grands)
        : log_(log), state_(state), clock_(clock), grands_(grands) {}

    // While the log is off, an empty picture and the reason as its summary.
    PixelBuffer Draw(GraphSpan span, const DetailsWindow::Area& area, std::string& summary) override;
    void OpenFolder() override { log_.File().OpenFolder(); }

private:
    ChargeLogger& log_;
    const GaugeState& state_;
    Clock& clock_;
    const PixelBuffer& grands_;
};

}  // namespace kavelo
