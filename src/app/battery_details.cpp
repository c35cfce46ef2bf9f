#include "app/battery_details.h"

#include "app/details_figures.h"

namespace kavelo {

TBatteryDetails::TBatteryDetails(const GaugeState& state, DetailsWindows& windows, BatteryFigures& figures,
                                 Clock& clock)
    : state_(state), windows_(windows), figures_(figures), clock_(clock) {}

TBatteryDetails::~TBatteryDetails() = default;

void TBatteryDetails::Open() {
    if (window_) {
        window_->BringToFront();
        return;
    }
    window_ = windows_.Open(*this, DetailsLabels());
    values_.clear();  // every figure goes to the new window
    if (!window_) return;
    devicesReadAt_ = clock_.UtcMilliseconds() - kDevicesEveryMs;  // read them now
    Refresh();
    window_->EnableGraph(graph_ != nullptr);
    DrawGraph();
}

void TBatteryDetails::PowerChanged() {
    if (window_) Refresh();
}

void TBatteryDetails::SetGraph(DetailsGraph* graph) {
    graph_ = graph;
    if (!window_) return;
    window_->EnableGraph(graph_ != nullptr);
    DrawGraph();
}

void TBatteryDetails::Refresh() {
    if (!window_) return;
    // The devices answer slowly on some machines: at most every few seconds
    // (a clock set back reads them at once).
    const int64_t now = clock_.UtcMilliseconds();
    if (now - devicesReadAt_ >= kDevicesEveryMs || now < devicesReadAt_) {
        devicesReadAt_ = now;
        std::vector<BatteryDevice> devices;
        figures_.ReadDevices(devices);
        design_ = CombineBatteries(devices);
    }
    DetailsInput in{state_.Power, {}, design_, state_.EstimatedSeconds, state_.SecondsToFull};
    figures_.ReadEnergy(in.energy);
    std::vector<std::string> values = DetailsValues(in);
    if (values == values_) return;  // nothing to redraw
    values_ = std::move(values);
    window_->SetValues(values_);
}

void TBatteryDetails::OnDetailsCopy() {
    if (window_) window_->PutOnClipboard(DetailsCopyText(values_));
}

void TBatteryDetails::OnGraphSpan(GraphSpan span) {
    span_ = span;
    DrawGraph();
}

void TBatteryDetails::OnOpenLogFolder() {
    if (graph_) graph_->OpenFolder();
}

void TBatteryDetails::DrawGraph() {
    if (!window_ || !graph_) return;
    std::string summary;
    const PixelBuffer picture = graph_->Draw(span_, window_->GraphArea(), summary);
    window_->SetGraph(picture, summary);
}

}  // namespace kavelo
