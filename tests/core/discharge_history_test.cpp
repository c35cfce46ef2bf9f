#include <gtest/gtest.h>

#include <limits>

#include "core/day_clock.h"
#include "core/discharge_history.h"

namespace kavelo {
namespace {

TDischargeHistory With(std::initializer_list<Sample> newestFirst) {
    TDischargeHistory h;
    h.Init();
    int i = 0;
    for (const Sample& s : newestFirst) h.Samples[i++] = s;
    return h;
}

TEST(DayClock, CountsMillisecondsSinceMidnight) {
    EXPECT_EQ(MillisecondsOfDay(LocalTime{0, 0, 0, 0}), 0);
    EXPECT_EQ(MillisecondsOfDay(LocalTime{1, 2, 3, 4}), 3723004);
    EXPECT_EQ(MillisecondsOfDay(LocalTime{23, 59, 59, 999}), 86399999);
}

TEST(DischargeHistory, EmptyHistoryHasNoAverageAndNoEstimate) {
    TDischargeHistory h;
    h.Init();
    EXPECT_EQ(h.AverageMsPerPercent(5), -1);
    EXPECT_EQ(EstimateSeconds(h.AverageMsPerPercent(5), 50), -1);
    EXPECT_EQ(h.Count(), 0);
}

TEST(DischargeHistory, AverageIsTotalTimeOverTotalPoints) {
    auto single = With({{600000, 2}});
    for (int n : {1, 5, 30}) EXPECT_EQ(single.AverageMsPerPercent(n), 300000);
    EXPECT_EQ(EstimateSeconds(single.AverageMsPerPercent(5), 50), 15000);

    auto three = With({{60000, 1}, {120000, 1}, {150000, 1}});
    EXPECT_EQ(three.AverageMsPerPercent(1), 60000);
    EXPECT_EQ(three.AverageMsPerPercent(2), 90000);
    EXPECT_EQ(three.AverageMsPerPercent(3), 110000);
    EXPECT_EQ(three.AverageMsPerPercent(30), 110000);  // stops at the empty sample
    EXPECT_EQ(three.AverageMsPerPercent(0), 60000);
    EXPECT_EQ(three.AverageMsPerPercent(-7), 60000);

    // A ratio of sums, not a mean of ratios (which would be 80 000).
    EXPECT_EQ(With({{60000, 1}, {300000, 3}}).AverageMsPerPercent(2), 90000);
    EXPECT_EQ(With({{100001, 3}}).AverageMsPerPercent(1), 33333);
    EXPECT_EQ(With({{5000, 0}}).AverageMsPerPercent(1), 5000);  // stored zero points divide by 1
    EXPECT_EQ(With({{0, 1}, {900, 2}}).AverageMsPerPercent(2), 300);  // Temps 0 is a sample
}

TEST(DischargeHistory, AddSamplePushesInFrontAndDropsTheOldest) {
    TDischargeHistory h;
    h.Init();
    h.AddSample(-5, 1);  // across midnight
    h.AddSample(5, -1);
    EXPECT_EQ(h.Count(), 0);
    for (int i = 0; i < 101; ++i) h.AddSample(1000 + i, 1);
    EXPECT_EQ(h.Count(), 101);
    EXPECT_EQ(h.Samples[0].Temps, 1100);
    EXPECT_EQ(h.Samples[100].Temps, 1000);
    const Sample formerNinetyNine = h.Samples[99];
    h.AddSample(7, 2);
    EXPECT_EQ(h.Samples[0].Temps, 7);
    EXPECT_EQ(h.Samples[0].Conso, 2);
    EXPECT_EQ(h.Samples[100].Temps, formerNinetyNine.Temps);
    // N beyond the array reads the 101 samples and nothing more.
    int64_t sum = 7;
    for (int i = 1; i < 101; ++i) sum += h.Samples[i].Temps;
    EXPECT_EQ(h.AverageMsPerPercent(1000), sum / 102);
}

TEST(DischargeHistory, LargeSumsAreNeitherWrappedNorNegative) {
    // 101 samples of nearly a day each: the time sum is about 8.7e9 ms.
    TDischargeHistory h;
    h.Init();
    for (int i = 0; i < 101; ++i) h.AddSample(86399999, 1);
    EXPECT_EQ(h.AverageMsPerPercent(101), 86399999);
    // Points summing to nearly nothing against that time can't fit: clamped.
    for (auto& s : h.Samples) s.Conso = 0;
    EXPECT_EQ(h.AverageMsPerPercent(101), std::numeric_limits<int32_t>::max());
    // The estimate's product exceeds 32 bits before the division.
    EXPECT_EQ(EstimateSeconds(86399999, 100), 8639999);
    EXPECT_EQ(EstimateSeconds(std::numeric_limits<int32_t>::max(), 255),
              static_cast<int32_t>(int64_t{2147483647} * 255 / 1000));
}

}  // namespace
}  // namespace kavelo
