#pragma once
#include <cstdint>

namespace kavelo {

// The two fields of the system's power status that the gauge uses.
struct PowerStatus {
    uint8_t ACLineStatus = 0;        // 1 = mains; 0 offline, 255 unknown
    uint8_t BatteryLifePercent = 0;  // 0-100, 255 = unknown
    uint8_t BatteryFlag = 255;       // bit 8 = charging; 255 = unknown
};

constexpr uint8_t kUnknownPercent = 255;
constexpr uint8_t kBatteryFlagCharging = 8;

// On mains and the system says the battery is taking charge. A battery held
// below full on mains (a charge limit) is not charging.
constexpr bool IsCharging(const PowerStatus& s) {
    return s.ACLineStatus == 1 && s.BatteryFlag != 255 && (s.BatteryFlag & kBatteryFlagCharging) != 0 &&
           s.BatteryLifePercent <= 100;
}

// Reads the power status (GetSystemPowerStatus on Windows). On failure the
// record is left as it was; callers don't look at the result.
class PowerSource {
public:
    virtual ~PowerSource() = default;
    virtual bool Read(PowerStatus& status) = 0;
};

// Power events of WM_POWERBROADCAST (wParam).
enum PowerEvent : uint32_t {
    kPowerSuspend = 4,             // PBT_APMSUSPEND
    kPowerResumeSuspend = 7,       // PBT_APMRESUMESUSPEND: a user woke the machine
    kPowerStatusChange = 10,       // PBT_APMPOWERSTATUSCHANGE
    kPowerResumeAutomatic = 18,    // PBT_APMRESUMEAUTOMATIC: every resume
    kPowerSettingChange = 0x8013,  // PBT_POWERSETTINGCHANGE
    // The screen went off, or came back on (from a setting change about
    // the console's display); beyond every PBT_ value.
    kPowerDisplayOff = 0x10000,
    kPowerDisplayOn = 0x10001,
};

// True for the events around a sleep: the interval being measured then
// contains it (or will) and must not be recorded.
constexpr bool IsSleepEvent(uint32_t event) {
    return event == kPowerSuspend || event == kPowerResumeSuspend || event == kPowerResumeAutomatic;
}

constexpr bool IsDisplayEvent(uint32_t event) { return event == kPowerDisplayOff || event == kPowerDisplayOn; }

}  // namespace kavelo
