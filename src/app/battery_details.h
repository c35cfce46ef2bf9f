#pragma once
// The "Battery details" window's logic: one window at a time, its figures
// read while it is open and never while it is closed.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/battery_reading.h"
#include "core/day_clock.h"
#include "core/gauge_state.h"
#include "platform/details_window.h"
#include "render/pixel_buffer.h"

namespace kavelo {

// What the charge log adds to the window: its graph and its folder.
class DetailsGraph {
public:
    virtual ~DetailsGraph() = default;
    // The graph of `span` in a picture of `area`'s size, and its summary.
    virtual PixelBuffer Draw(GraphSpan span, const DetailsWindow::Area& area, std::string& summary) = 0;
    virtual void OpenFolder() = 0;
};

class TBatteryDetails final : public DetailsWindowEvents {
public:
    // The devices are read again at most this often while the window is open.
    static constexpr int64_t kDevicesEveryMs = 10000;

    TBatteryDetails(const GaugeState& state, DetailsWindows& windows, BatteryFigures& figures, Clock& clock);
    ~TBatteryDetails() override;

    // The menu command: opens the window, or brings the open one to the front.
    void Open();
    bool IsOpen() const { return window_ != nullptr; }
    // A power change: the open window's figures follow it.
    void PowerChanged();
    // The log's graph; null (the default) leaves the graph area empty.
    void SetGraph(DetailsGraph* graph);

    // DetailsWindowEvents
    void OnDetailsTick() override { Refresh(); }
    void OnDetailsCopy() override;
    void OnDetailsClosed() override { window_.reset(); }
    void OnGraphSpan(GraphSpan span) override;
    void OnOpenLogFolder() override;

private:
    void Refresh();
    void DrawGraph();

    const GaugeState& state_;
    DetailsWindows& windows_;
    BatteryFigures& figures_;
    Clock& clock_;
    std::unique_ptr<DetailsWindow> window_;
    DetailsGraph* graph_ = nullptr;
    GraphSpan span_ = GraphSpan::Day;
    BatteryDesign design_;
    int64_t devicesReadAt_ = 0;
    std::vector<std::string> values_;
};

}  // namespace kavelo
