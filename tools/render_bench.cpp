// Painting costs: one refresh on battery (the time face with its small
// percentage, and its tray picture) and a percentage count from 100 to 5.
#include <benchmark/benchmark.h>

#include "core/low_battery_alert.h"
#include "render/gauge_face.h"

namespace {

using namespace kavelo;

class Power final : public PowerSource {
public:
    uint8_t percent = 57;
    bool Read(PowerStatus& s) override {
        s = {0, percent};
        return true;
    }
};
class NoTimer final : public Timer {
public:
    bool Enabled() const override { return on; }
    void SetEnabled(bool e) override { on = e; }
    bool on = false;
};
class Host final : public FaceHost, public AlertMessageSink {
public:
    int64_t pixels = 0;
    void ProcessMessages() override {}
    void FaceChanged() override {}
    void SetTrayImages(const PixelBuffer& l, const PixelBuffer& r) override {
        pixels += l.Pixel(0, 0) + r.Pixel(15, 15);
    }
    void UpdateTrayTip() override {}
    void ShowAlertMessage(const std::string&) override {}
};

struct Rig {
    GaugeState state;
    Power power;
    NoTimer timer;
    Host host;
    LowBatteryAlert alert{state, power, host};
    GaugeFace face{state, timer, power, alert, host};
    Rig() { face.LoadGlyphStrips(EmbeddedGlyphSource()); }
};

void BM_TimeFaceRefresh(benchmark::State& s) {
    Rig rig;
    int32_t seconds = 7500;
    for (auto _ : s) {
        rig.face.DrawTimeFace(seconds);
        seconds = seconds == 7500 ? 7380 : 7500;
        benchmark::DoNotOptimize(rig.face.Canvas().Data());
    }
    benchmark::DoNotOptimize(rig.host.pixels);
}
BENCHMARK(BM_TimeFaceRefresh);

void BM_ShowPercent100To5(benchmark::State& s) {
    Rig rig;
    rig.power.percent = 5;
    for (auto _ : s) {
        rig.state.ShownPercent = 100;
        rig.face.ShowPercent(5);
        benchmark::DoNotOptimize(rig.face.Canvas().Data());
    }
    benchmark::DoNotOptimize(rig.host.pixels);
}
BENCHMARK(BM_ShowPercent100To5)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
