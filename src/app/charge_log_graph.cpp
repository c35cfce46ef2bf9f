#include "app/charge_log_graph.h"

#include "render/charge_graph.h"

namespace kavelo {

PixelBuffer ChargeLogGraph::Draw(GraphSpan span, const DetailsWindow::Area& area, std::string& summary) {
    if (!log_.On()) {
        summary = log_.Why().empty() ? "The charge log starts once the gauge is shown."
                                     : "The charge log is off for this run: " + log_.Why();
        return PixelBuffer(area.width, area.height, kGraphBackground);
    }
    const std::vector<LogRow> rows = log_.Rows();
    const int percent = state_.Power.BatteryLifePercent <= 100 ? state_.Power.BatteryLifePercent : -1;
    const ChargeGraphView view{clock_.UtcMilliseconds() / 1000, span == GraphSpan::Week, percent,
                               state_.Power.ACLineStatus == 1, area.dpi, area.width, area.height};
    summary = ChargeSummary(rows, view.nowUtcSeconds - (view.week ? 7 : 1) * int64_t{86400}, percent,
                            view.onMains, clock_);
    return DrawChargeGraph(rows, view, clock_, grands_);
}

}  // namespace kavelo
