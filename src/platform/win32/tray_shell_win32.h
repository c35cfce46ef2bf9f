#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/notify_shell.h"

namespace kavelo::win32 {

// The taskbar's notification area through Shell_NotifyIconA. One instance
// serves any number of tray icons.
class Win32NotifyShell final : public NotifyShell {
public:
    bool Add(const NotifyIconData& data) override;
    void Modify(const NotifyIconData& data) override;
    void Delete(const NotifyIconData& data) override;
    ScreenPoint CursorPos() override;
    std::unique_ptr<HiddenWindow> CreateHiddenWindow(WindowProc proc) override;
    std::unique_ptr<IntervalTimer> CreateTimer(std::int32_t interval, std::function<void()> onTick) override;
    std::uint32_t TaskbarCreatedMessage() override;
    // SM_CXSMICON at the DPI of the taskbar's monitor.
    int IconSize() override;
};

// The first (ANSI) layout of the record, sized for the target: 88 bytes on
// 32-bit Windows, 104 on 64-bit. The shell reads no field past szTip.
NOTIFYICONDATAA ToNotifyIconDataA(const NotifyIconData& data);

// The tip (UTF-8) in the ANSI code page, at most 63 bytes, never ending in
// half a double-byte character.
std::string TipToAnsi(const char* utf8);

}  // namespace kavelo::win32
