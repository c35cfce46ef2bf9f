#pragma once
// The battery's energy figures: what the system's battery state says (cheap
// to read) and what the battery devices' drivers say (slow on some machines,
// read only while someone looks), with the rules that combine several
// devices into one set of figures.
#include <cstdint>
#include <vector>

namespace kavelo {

constexpr int32_t kUnknownRate = INT32_MIN;  // as drivers mark an unknown rate (0x80000000)

// The system's battery state, summed by the system over its batteries.
struct BatteryEnergy {
    int32_t rateMw = kUnknownRate;  // signed: + charging, - discharging
    int32_t remainingMwh = -1;
    int32_t fullMwh = -1;
    int32_t windowsSecondsLeft = -1;  // the system's own estimate of the time left
};

// The raw values of the battery capabilities and of the documented unknowns.
constexpr uint32_t kBatterySystemBattery = 0x80000000;
constexpr uint32_t kBatteryCapacityRelative = 0x40000000;
constexpr uint32_t kBatteryIsShortTerm = 0x20000000;  // a UPS
constexpr uint32_t kBatteryUnknownCapacity = 0xFFFFFFFF;
constexpr uint32_t kBatteryUnknownVoltage = 0xFFFFFFFF;

// One battery device as its driver reports it, values as they come.
struct BatteryDevice {
    uint32_t capabilities = 0;
    uint32_t designedCapacity = kBatteryUnknownCapacity;  // mWh, or relative units
    uint32_t fullChargedCapacity = kBatteryUnknownCapacity;
    uint32_t cycleCount = 0;  // 0: the battery counts no cycles
    uint32_t voltageMv = kBatteryUnknownVoltage;
    int32_t rate = kUnknownRate;  // mW, or relative units per hour
};

// The devices' figures, -1 (kUnknownRate for the rate) where not known.
struct BatteryDesign {
    int32_t designMwh = -1;
    int32_t fullMwh = -1;
    int32_t rateMw = kUnknownRate;
    int32_t cycleCount = -1;
    int32_t voltageMv = -1;
    int batteries = 0;  // system batteries found
};

// Combines the devices: only system batteries count (never a UPS); energies
// and rates are summed over the batteries that report them in mWh and mW
// (those in relative units are never mixed in), a sum being unknown when
// one of its terms is; the cycle count and the voltage are given only for a
// single battery.
BatteryDesign CombineBatteries(const std::vector<BatteryDevice>& devices);

// Reads the battery figures (the system's battery state and the battery
// devices on Windows).
class BatteryFigures {
public:
    virtual ~BatteryFigures() = default;
    // Cheap: may be read at every change of the percentage or the source.
    // On failure the record stays as it was.
    virtual bool ReadEnergy(BatteryEnergy& energy) = 0;
    // Slow on some machines: read only while the figures are shown. Leaves
    // `devices` empty when there are none.
    virtual void ReadDevices(std::vector<BatteryDevice>& devices) = 0;
};

}  // namespace kavelo
