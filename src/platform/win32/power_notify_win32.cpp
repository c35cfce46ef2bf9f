#include "platform/win32/power_notify_win32.h"

#include <cstring>

#include "platform/win32/last_error_win32.h"
#include "platform/win32/system_function_win32.h"

namespace kavelo::win32 {

namespace {
// GUID_BATTERY_PERCENTAGE_REMAINING, GUID_ACDC_POWER_SOURCE and
// GUID_CONSOLE_DISPLAY_STATE, spelt out so that no GUID library has to be
// linked.
constexpr GUID kBatteryPercentageRemaining = {
    0xa7ad8041, 0xb45a, 0x4cae, {0x87, 0xa3, 0xee, 0xcb, 0xb4, 0x68, 0xa9, 0xe1}};
constexpr GUID kAcDcPowerSource = {
    0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};
constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

using RegisterFn = HPOWERNOTIFY(WINAPI*)(HANDLE, LPCGUID, DWORD);
using RegisterSuspendResumeFn = HPOWERNOTIFY(WINAPI*)(HANDLE, DWORD);
using UnregisterFn = BOOL(WINAPI*)(HPOWERNOTIFY);

template <typename Fn>
Fn User32Function(const char* name) {
    return SystemFunction<Fn>("user32.dll", name);
}
UnregisterFn Unregister() {
    static const auto unregister = User32Function<UnregisterFn>("UnregisterPowerSettingNotification");
    return unregister;
}
UnregisterFn UnregisterSuspendResumeFn() {
    static const auto unregister = User32Function<UnregisterFn>("UnregisterSuspendResumeNotification");
    return unregister;
}
}  // namespace

void UnregisterPowerSetting(HPOWERNOTIFY h) noexcept {
    if (const UnregisterFn unregister = Unregister()) unregister(h);
}

void UnregisterSuspendResume(HPOWERNOTIFY h) noexcept {
    if (const UnregisterFn unregister = UnregisterSuspendResumeFn()) unregister(h);
}

PowerSettingNotifications::PowerSettingNotifications(HWND window) {
    // PBT_APMSUSPEND and the resumes as WM_POWERBROADCAST to this window.
    const auto suspendResume = User32Function<RegisterSuspendResumeFn>("RegisterSuspendResumeNotification");
    if (suspendResume && UnregisterSuspendResumeFn()) {
        suspendResume_.reset(suspendResume(window, DEVICE_NOTIFY_WINDOW_HANDLE));
        if (!suspendResume_) TraceLastError("RegisterSuspendResumeNotification");
    }
    const auto reg = User32Function<RegisterFn>("RegisterPowerSettingNotification");
    if (!reg || !Unregister()) return;  // older systems: WM_POWERBROADCAST alone
    for (const GUID* setting : {&kBatteryPercentageRemaining, &kAcDcPowerSource, &kConsoleDisplayState}) {
        if (HPOWERNOTIFY h = reg(window, setting, DEVICE_NOTIFY_WINDOW_HANDLE))
            handles_.emplace_back(h);
        else
            TraceLastError("RegisterPowerSettingNotification");
    }
}

uint32_t PowerEventOf(WPARAM wParam, LPARAM lParam) {
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    if (wParam != PBT_POWERSETTINGCHANGE || !setting) return static_cast<uint32_t>(wParam);
    DWORD state = 0;
    if (!IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) || setting->DataLength != sizeof(state))
        return kPowerSettingChange;
    std::memcpy(&state, setting->Data, sizeof(state));
    // 0 off, 1 on, 2 dimmed: a dimmed screen is still on.
    if (state == 0) return kPowerDisplayOff;
    return state == 1 ? kPowerDisplayOn : kPowerSettingChange;
}

}  // namespace kavelo::win32
