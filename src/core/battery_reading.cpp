#include "core/battery_reading.h"

namespace kavelo {

namespace {

int32_t Known(uint32_t value, uint32_t unknown) {
    return value == unknown || value == 0 || value > INT32_MAX ? -1 : static_cast<int32_t>(value);
}

// -1 when either is unknown or the sum no longer fits.
int32_t Sum(int32_t total, int32_t term) {
    if (total < 0 || term < 0 || term > INT32_MAX - total) return -1;
    return total + term;
}

}  // namespace

BatteryDesign CombineBatteries(const std::vector<BatteryDevice>& devices) {
    BatteryDesign d;
    bool anyInMwh = false;
    const BatteryDevice* single = nullptr;
    for (const BatteryDevice& b : devices) {
        if ((b.capabilities & kBatterySystemBattery) == 0 || (b.capabilities & kBatteryIsShortTerm) != 0) continue;
        single = ++d.batteries == 1 ? &b : nullptr;
        if ((b.capabilities & kBatteryCapacityRelative) != 0) continue;
        if (!anyInMwh) {
            anyInMwh = true;
            d.designMwh = d.fullMwh = d.rateMw = 0;
        }
        d.designMwh = Sum(d.designMwh, Known(b.designedCapacity, kBatteryUnknownCapacity));
        d.fullMwh = Sum(d.fullMwh, Known(b.fullChargedCapacity, kBatteryUnknownCapacity));
        // A rate of 0 is a battery at rest, a known term of the sum.
        const bool rateKnown = d.rateMw != kUnknownRate && b.rate != kUnknownRate;
        const int64_t rate = static_cast<int64_t>(d.rateMw) + b.rate;
        d.rateMw = rateKnown && rate > INT32_MIN && rate <= INT32_MAX ? static_cast<int32_t>(rate) : kUnknownRate;
    }
    if (anyInMwh && d.rateMw == 0) d.rateMw = kUnknownRate;  // nothing flows, or nothing says
    if (single) {
        d.cycleCount = Known(single->cycleCount, 0);
        d.voltageMv = Known(single->voltageMv, kBatteryUnknownVoltage);
    }
    return d;
}

}  // namespace kavelo
