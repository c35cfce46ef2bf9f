#include "core/discharge_history.h"

#include <limits>

namespace kavelo {

namespace {
int32_t ClampToInt32(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}
}  // namespace

void TDischargeHistory::Init() { Samples.fill(Sample{}); }

void TDischargeHistory::AddSample(int32_t temps, int32_t conso) {
    if (temps < 0 || conso < 0) return;
    for (int i = kSize - 1; i > 0; --i) Samples[i] = Samples[i - 1];
    Samples[0] = Sample{temps, conso};
}

int32_t TDischargeHistory::AverageMsPerPercent(int32_t n) const {
    if (Samples[0].Temps == -1) return -1;
    int64_t time = Samples[0].Temps;
    int64_t points = Samples[0].Conso;
    int summed = 1;
    for (int i = 1; summed < n && i < kSize && Samples[i].Temps >= 0; ++i, ++summed) {
        time += Samples[i].Temps;
        points += Samples[i].Conso;
    }
    if (points == 0) points = 1;
    return ClampToInt32(time / points);  // C++ division truncates toward zero
}

int TDischargeHistory::Count() const {
    int n = 0;
    while (n < kSize && Samples[n].Temps != -1) ++n;
    return n;
}

int32_t EstimateSeconds(int32_t averageMsPerPercent, int32_t percent) {
    if (averageMsPerPercent == -1) return -1;
    return ClampToInt32(static_cast<int64_t>(averageMsPerPercent) * percent / 1000);
}

}  // namespace kavelo
