#pragma once
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/notify_shell.h"
#include "platform/win32/handles_win32.h"

namespace kavelo::win32 {

class TrayBroadcasts;

// The taskbar's notification area through Shell_NotifyIconW. One instance
// serves any number of tray icons.
//
// Each call is a round trip to the shell's process, so changes to an icon
// wait for the message loop: the newest change of each icon is sent at the
// loop's next timer message (after any paint that is due, at least 10 ms
// later), and the ones it replaced never are (at start the pictures and
// tips are set several times before the first face). Adds and deletes are
// sent at once and drop the icon's waiting change.
class Win32NotifyShell final : public NotifyShell {
public:
    Win32NotifyShell() = default;
    ~Win32NotifyShell() override;
    Win32NotifyShell(const Win32NotifyShell&) = delete;
    Win32NotifyShell& operator=(const Win32NotifyShell&) = delete;

    bool Add(const NotifyIconData& data) override;
    void Modify(const NotifyIconData& data) override;
    void Delete(const NotifyIconData& data) override;
    ScreenPoint CursorPos() override;
    std::unique_ptr<HiddenWindow> CreateHiddenWindow(WindowProc proc) override;
    std::unique_ptr<IntervalTimer> CreateTimer(std::int32_t interval, std::function<void()> onTick) override;
    std::uint32_t TaskbarCreatedMessage() override;
    // SM_CXSMICON at the DPI of the taskbar's monitor.
    int IconSize() override;
    bool IsColourSetChange(std::intptr_t lParam) override;
    // The tray windows hear the broadcasts through the application's
    // window, rather than through a window of the shell's own (one window
    // less to make at start). Before the first hidden window is made.
    void HearBroadcastsThrough(class Win32Application& application);
    // NIM_MODIFY with NIF_INFO alone: the icon's
    // own changes, waiting or not, are left as they are.
    void ShowBalloon(WindowId hWnd, std::uint32_t uID, const std::string& title, const std::string& text) override;
    // Shell_NotifyIconGetRect (Windows 7 and later, looked up at run time);
    // a place off the taskbar (the overflow panel) counts as unknown.
    std::optional<ScreenRect> IconRect(WindowId hWnd, std::uint32_t uID) override;

private:
    void Send(NOTIFYICONDATAW& n);
    void Flush();  // sends the waiting changes
    void Drop(const NotifyIconData& data);

    std::vector<NOTIFYICONDATAW> pending_;
    std::shared_ptr<TrayBroadcasts> broadcasts_;
    std::unique_ptr<IntervalTimer> flushTimer_;  // made at the first change
};

// The wide record, whole: its tip holds kTipLength UTF-16 units. A tip
// longer than the field is cut at a character's end.
NOTIFYICONDATAW ToNotifyIconDataW(const NotifyIconData& data);

}  // namespace kavelo::win32
