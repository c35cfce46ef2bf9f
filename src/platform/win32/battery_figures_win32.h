#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "core/battery_reading.h"

namespace kavelo::win32 {

// The system's battery state (CallNtPowerInformation) and the battery
// devices (their driver's IOCTL_BATTERY_* queries). powrprof and setupapi
// are looked up at the first reading, so a start that shows no details
// loads neither.
class Win32BatteryFigures final : public BatteryFigures {
public:
    bool ReadEnergy(BatteryEnergy& energy) override;
    void ReadDevices(std::vector<BatteryDevice>& devices) override;

private:
    // A device's information as read for its tag: read again only when
    // the tag changes (a battery taken out and put back).
    struct Known {
        std::wstring path;
        ULONG tag = 0;
        BatteryDevice device;
    };
    bool ReadDevice(const std::wstring& path, BatteryDevice& device, std::vector<Known>& known);
    std::vector<Known> known_;
};

}  // namespace kavelo::win32
