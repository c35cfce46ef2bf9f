#include "core/charge_history.h"

#include <limits>

namespace kavelo {

void TChargeHistory::Init() {
    for (auto& band : Bands) band.fill(Sample{});
}

int TChargeHistory::BandOf(int32_t percent) { return percent / 10; }

void TChargeHistory::AddSample(int32_t startPercent, int32_t temps, int32_t points) {
    if (temps < 0 || points <= 0 || startPercent < 0 || startPercent > 99) return;
    auto& band = Bands[BandOf(startPercent)];
    for (int i = kPerBand - 1; i > 0; --i) band[i] = band[i - 1];
    band[0] = Sample{temps, points};
}

int TChargeHistory::Count(int band) const {
    int n = 0;
    while (n < kPerBand && Bands[band][n].Temps != -1) ++n;
    return n;
}

bool TChargeHistory::Empty() const {
    for (int b = 0; b < kBands; ++b)
        if (Count(b) > 0) return false;
    return true;
}

int32_t TChargeHistory::SecondsToFull(int32_t percent) const {
    if (percent < 0 || percent >= 100) return -1;
    int64_t ms = 0;
    for (int b = BandOf(percent); b < kBands; ++b) {
        int64_t time = 0, points = 0;
        for (int i = 0; i < Count(b); ++i) {
            time += Bands[b][i].Temps;
            points += Bands[b][i].Conso;
        }
        if (points <= 0) return -1;
        const int64_t toGain = (b + 1) * 10 - (percent > b * 10 ? percent : b * 10);
        ms += time * toGain / points;
    }
    const int64_t seconds = ms / 1000;
    return seconds > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                         : static_cast<int32_t>(seconds);
}

}  // namespace kavelo
