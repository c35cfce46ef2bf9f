#pragma once
#include <array>
#include <cstdint>

namespace kavelo {

// One measured interval: how long the charge took to drop by Conso points.
struct Sample {
    int32_t Temps = -1;  // milliseconds; -1 = empty
    int32_t Conso = -1;  // percentage points; -1 = empty
    friend bool operator==(const Sample&, const Sample&) = default;
};

// The newest measured intervals, index 0 the newest. The filled samples form
// a prefix that ends at the first sample whose Temps is -1.
struct TDischargeHistory {
    static constexpr int kSize = 101;
    std::array<Sample, kSize> Samples;

    void Init();
    // Pushes a sample in front, dropping the oldest. Negative values (an
    // interval across midnight) are ignored.
    void AddSample(int32_t temps, int32_t conso);
    // Total time over total points of the newest n samples (at least one);
    // -1 when the history is empty. Sums are 64-bit: 101 samples of a day
    // each overflow 32 bits, and a result that can't fit is clamped, never
    // wrapped into a negative "unknown".
    int32_t AverageMsPerPercent(int32_t n) const;
    // Number of filled samples (the prefix up to the first empty Temps).
    int Count() const;
};

// Seconds of running time left for an average of ms per point and the
// current charge, or -1 when the average is unknown.
int32_t EstimateSeconds(int32_t averageMsPerPercent, int32_t percent);

}  // namespace kavelo
