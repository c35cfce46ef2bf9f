#include "platform/win32/battery_figures_win32.h"

#include <winioctl.h>
#include <poclass.h>
#include <setupapi.h>

#include <algorithm>

#include "platform/win32/handles_win32.h"
#include "platform/win32/system_function_win32.h"

namespace kavelo::win32 {

namespace {

// GUID_DEVCLASS_BATTERY, the battery devices' interface class.
constexpr GUID kBatteryClass = {0x72631e54, 0x78a4, 0x11d0, {0xbc, 0xf7, 0x00, 0xaa, 0x00, 0xb7, 0xb3, 0x2a}};

constexpr int32_t FromDword(DWORD value) {
    return value > static_cast<DWORD>(INT32_MAX) ? -1 : static_cast<int32_t>(value);
}

struct SetupApi {
    decltype(&SetupDiGetClassDevsW) getClassDevs;
    decltype(&SetupDiEnumDeviceInterfaces) enumInterfaces;
    decltype(&SetupDiGetDeviceInterfaceDetailW) getDetail;
    decltype(&SetupDiDestroyDeviceInfoList) destroy;
};

const SetupApi& Setup() {
    static const SetupApi api{
        SystemFunction<decltype(&SetupDiGetClassDevsW)>("setupapi.dll", "SetupDiGetClassDevsW"),
        SystemFunction<decltype(&SetupDiEnumDeviceInterfaces)>("setupapi.dll", "SetupDiEnumDeviceInterfaces"),
        SystemFunction<decltype(&SetupDiGetDeviceInterfaceDetailW)>("setupapi.dll",
                                                                      "SetupDiGetDeviceInterfaceDetailW"),
        SystemFunction<decltype(&SetupDiDestroyDeviceInfoList)>("setupapi.dll", "SetupDiDestroyDeviceInfoList"),
    };
    return api;
}

// A device information set, destroyed with its owner.
class DeviceSet {
public:
    DeviceSet() {
        const SetupApi& api = Setup();
        if (api.getClassDevs && api.enumInterfaces && api.getDetail && api.destroy)
            set_ = api.getClassDevs(&kBatteryClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    }
    ~DeviceSet() {
        if (set_ != INVALID_HANDLE_VALUE) Setup().destroy(set_);
    }
    DeviceSet(const DeviceSet&) = delete;
    DeviceSet& operator=(const DeviceSet&) = delete;

    // The path of the index-th battery interface; false after the last.
    bool Path(DWORD index, std::wstring& path) const {
        if (set_ == INVALID_HANDLE_VALUE) return false;
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof data;
        if (!Setup().enumInterfaces(set_, nullptr, &kBatteryClass, index, &data)) return false;
        DWORD size = 0;
        Setup().getDetail(set_, &data, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return true;  // skipped: path stays empty
        std::vector<unsigned char> buffer(size);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (Setup().getDetail(set_, &data, detail, size, nullptr, nullptr)) path = detail->DevicePath;
        return true;
    }

private:
    HDEVINFO set_ = INVALID_HANDLE_VALUE;
};

template <typename In, typename Out>
bool Query(HANDLE device, DWORD code, const In& in, Out& out) {
    DWORD returned = 0;
    return DeviceIoControl(device, code, const_cast<In*>(&in), sizeof in, &out, sizeof out, &returned, nullptr) &&
           returned >= sizeof out;
}

}  // namespace

bool Win32BatteryFigures::ReadEnergy(BatteryEnergy& energy) {
    using Call = LONG(WINAPI*)(POWER_INFORMATION_LEVEL, PVOID, ULONG, PVOID, ULONG);
    static const auto call = SystemFunction<Call>("powrprof.dll", "CallNtPowerInformation");
    SYSTEM_BATTERY_STATE sbs{};
    if (!call || call(SystemBatteryState, nullptr, 0, &sbs, sizeof sbs) != 0) return false;
    SYSTEM_POWER_STATUS sps{};
    const bool status = GetSystemPowerStatus(&sps);
    energy = {};
    if (!sbs.BatteryPresent) return true;
    const auto rate = static_cast<int32_t>(sbs.Rate);  // a signed value in an unsigned field
    energy.rateMw = rate == 0 ? kUnknownRate : rate;
    energy.fullMwh = sbs.MaxCapacity ? FromDword(sbs.MaxCapacity) : -1;
    energy.remainingMwh = energy.fullMwh > 0 ? FromDword(sbs.RemainingCapacity) : -1;
    energy.windowsSecondsLeft = status ? FromDword(sps.BatteryLifeTime) : -1;
    return true;
}

void Win32BatteryFigures::ReadDevices(std::vector<BatteryDevice>& devices) {
    devices.clear();
    std::vector<Known> known;  // only the devices present now stay known
    const DeviceSet set;
    std::wstring path;
    for (DWORD i = 0; set.Path(i, path); ++i, path.clear()) {
        BatteryDevice device;
        if (!path.empty() && ReadDevice(path, device, known)) devices.push_back(device);
    }
    known_ = std::move(known);
}

bool Win32BatteryFigures::ReadDevice(const std::wstring& path, BatteryDevice& device, std::vector<Known>& known) {
    const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    const UniqueKernelHandle file(opened);
    const ULONG wait = 0;
    ULONG tag = 0;
    if (!Query(file.get(), IOCTL_BATTERY_QUERY_TAG, wait, tag) || tag == 0) return false;  // no battery in the bay

    const auto same = std::find_if(known_.begin(), known_.end(),
                                   [&](const Known& k) { return k.path == path && k.tag == tag; });
    if (same != known_.end()) {
        device = same->device;
    } else {
        BATTERY_QUERY_INFORMATION query{};
        query.BatteryTag = tag;
        query.InformationLevel = BatteryInformation;
        BATTERY_INFORMATION info{};
        if (!Query(file.get(), IOCTL_BATTERY_QUERY_INFORMATION, query, info)) return false;
        device.capabilities = info.Capabilities;
        device.designedCapacity = info.DesignedCapacity;
        device.fullChargedCapacity = info.FullChargedCapacity;
        device.cycleCount = info.CycleCount;
    }
    known.push_back({path, tag, device});

    BATTERY_WAIT_STATUS waitStatus{};
    waitStatus.BatteryTag = tag;
    BATTERY_STATUS status{};
    if (Query(file.get(), IOCTL_BATTERY_QUERY_STATUS, waitStatus, status)) {
        device.voltageMv = status.Voltage;
        device.rate = status.Rate;
    }
    return true;
}

}  // namespace kavelo::win32
