// Painting costs: one refresh on battery (the time face with its small
// percentage, and its tray picture) and a percentage count from 100 to 5.
#include <benchmark/benchmark.h>

#include "fakes/face_rig.h"

namespace {

using namespace kavelo;

struct Rig : testing::FaceRig {
    Rig() { host.logging = false; }
};

void BM_TimeFaceRefresh(benchmark::State& s) {
    Rig rig;
    int32_t seconds = 7500;
    for (auto _ : s) {
        rig.face.DrawTimeFace(seconds);
        seconds = seconds == 7500 ? 7380 : 7500;
        benchmark::DoNotOptimize(rig.face.Canvas().Data());
    }
    benchmark::DoNotOptimize(rig.host.trays);
}
BENCHMARK(BM_TimeFaceRefresh);

void BM_ShowPercent100To5(benchmark::State& s) {
    Rig rig;
    rig.state.Power.BatteryLifePercent = 5;
    for (auto _ : s) {
        rig.state.ShownPercent = 100;
        rig.face.ShowPercent(5);
        benchmark::DoNotOptimize(rig.face.Canvas().Data());
    }
    benchmark::DoNotOptimize(rig.host.trays);
}
BENCHMARK(BM_ShowPercent100To5)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
