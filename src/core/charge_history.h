#pragma once
#include <array>
#include <cstdint>

#include "core/discharge_history.h"

namespace kavelo {

// How long the charge took to rise, learned as the discharge history learns
// the drops: each sample is the milliseconds that a rise of so many points
// took. Charging slows as the battery fills, so the samples are kept per
// band of ten points (0-9, ..., 90-99) by the percentage the rise started
// from, the newest few of each.
struct TChargeHistory {
    static constexpr int kBands = 10;
    static constexpr int kPerBand = 8;
    // Bands[b][0] is band b's newest sample; the filled samples of a band
    // form a prefix that ends at the first Temps of -1.
    std::array<std::array<Sample, kPerBand>, kBands> Bands;

    TChargeHistory() { Init(); }
    void Init();
    static int BandOf(int32_t percent);
    // A rise of `points` from `startPercent` that took `temps` ms; anything
    // negative, no rise, or a start outside 0-99 is ignored.
    void AddSample(int32_t startPercent, int32_t temps, int32_t points);
    int Count(int band) const;
    bool Empty() const;
    // The time to full from `percent`: for each band from the current one
    // up, its total time over its total points times the points still to
    // gain in it. -1 when a band on the way has no sample, or at 100.
    int32_t SecondsToFull(int32_t percent) const;
};

}  // namespace kavelo
