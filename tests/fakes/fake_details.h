#pragma once
// Fakes of the battery's figures and of the details window.
#include <memory>
#include <string>
#include <vector>

#include "core/battery_reading.h"
#include "platform/details_window.h"

namespace kavelo::fakes {

// The fake battery of the tests under Wine: 11.0 Wh full, 5.5 W discharging.
struct FakeFigures final : BatteryFigures {
    BatteryEnergy energy{-5500, 6270, 11000, -1};
    std::vector<BatteryDevice> devices;
    int energyReads = 0, deviceReads = 0;
    bool ReadEnergy(BatteryEnergy& e) override { return ++energyReads, e = energy, true; }
    void ReadDevices(std::vector<BatteryDevice>& d) override { ++deviceReads, d = devices; }
};

struct FakeDetailsWindow final : DetailsWindow {
    std::vector<std::string> values, clipboard;
    int fronts = 0;
    bool* open;
    explicit FakeDetailsWindow(bool* o) : open(o) { *open = true; }
    ~FakeDetailsWindow() override { *open = false; }
    void SetValues(const std::vector<std::string>& v) override { values = v; }
    void BringToFront() override { ++fronts; }
    void PutOnClipboard(const std::string& text) override { clipboard.push_back(text); }
    Area GraphArea() const override { return {}; }
    void SetGraph(const PixelBuffer&, const std::string&) override {}
    void EnableGraph(bool) override {}
};

struct FakeDetailsWindows final : DetailsWindows {
    FakeDetailsWindow* last = nullptr;
    int opened = 0;
    bool open = false;
    std::unique_ptr<DetailsWindow> Open(DetailsWindowEvents&, const std::vector<std::string>&) override {
        ++opened;
        auto w = std::make_unique<FakeDetailsWindow>(&open);
        last = w.get();
        return w;
    }
};

}  // namespace kavelo::fakes
