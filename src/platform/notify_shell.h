#pragma once
// The notification area of the taskbar as the tray icon component sees it:
// add, change and remove one icon, read the pointer's screen position, a
// hidden window per icon that receives the shell's callbacks, and a timer.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace kavelo {

// Opaque handles of the window system (an HWND and an HICON on Windows).
using WindowId = std::uintptr_t;
using IconId = std::uintptr_t;

// The message the shell sends to an icon's window for pointer events
// (WM_USER + 255); lParam carries the mouse message.
constexpr std::uint32_t TrayCallbackMessage = 1279;

// Messages after which the notification area's icon size may have changed:
// its DPI changed, a system setting changed, the display changed.
constexpr std::uint32_t kDpiChangedMessage = 0x02E0;
constexpr std::uint32_t kSettingChangeMessage = 0x001A;
constexpr std::uint32_t kDisplayChangeMessage = 0x007E;

// uFlags bits of NotifyIconData.
constexpr std::uint32_t kNifMessage = 1;
constexpr std::uint32_t kNifIcon = 2;
constexpr std::uint32_t kNifTip = 4;

// The mouse messages found in a callback's lParam.
constexpr std::intptr_t kMouseMove = 0x0200;
constexpr std::intptr_t kLButtonDown = 0x0201;
constexpr std::intptr_t kLButtonUp = 0x0202;
constexpr std::intptr_t kLButtonDblClk = 0x0203;
constexpr std::intptr_t kRButtonDown = 0x0204;
constexpr std::intptr_t kRButtonUp = 0x0205;
constexpr std::intptr_t kRButtonDblClk = 0x0206;
constexpr std::intptr_t kMButtonDown = 0x0207;
constexpr std::intptr_t kMButtonUp = 0x0208;
constexpr std::intptr_t kMButtonDblClk = 0x0209;

// The length of the shell's tip field in UTF-16 units, its terminating zero
// included: the wide notify-icon record's.
constexpr std::size_t kTipLength = 128;

// The record handed to the shell: the fields of the wide notify-icon data
// that an icon uses; the platform layer supplies the record's size.
struct NotifyIconData {
    WindowId hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    IconId hIcon = 0;
    std::string szTip;  // UTF-8, at most kTipLength - 1 UTF-16 units
};

struct ScreenPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

// An icon's place on the screen: columns Left to Right - 1, rows Top to
// Bottom - 1.
struct ScreenRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

// Handles one message of a hidden window: (message, wParam, lParam) -> result.
using WindowProc = std::function<std::intptr_t(std::uint32_t, std::uintptr_t, std::intptr_t)>;

// An invisible window that exists only to receive messages. Every message
// after its creation goes to the procedure it was created with; the
// procedure hands the ones it does not want to DefaultProc.
class HiddenWindow {
public:
    virtual ~HiddenWindow() = default;
    virtual WindowId Id() const = 0;
    virtual std::intptr_t DefaultProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

// A periodic timer. It ticks while it is enabled and its interval is
// positive; enabling an enabled timer changes nothing, and a changed
// interval starts a full period from the moment it is given.
class IntervalTimer {
public:
    virtual ~IntervalTimer() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual std::int32_t Interval() const = 0;
    virtual void SetInterval(std::int32_t milliseconds) = 0;
};

class NotifyShell {
public:
    virtual ~NotifyShell() = default;

    // NIM_ADD. False when the shell refuses, which it does among other
    // reasons when an icon with this window and id is there already.
    virtual bool Add(const NotifyIconData& data) = 0;
    // NIM_MODIFY and NIM_DELETE; their outcome is not reported. The icon
    // given to Modify must stay valid until the same icon's next Modify,
    // Add or Delete: a change may wait for the message loop.
    virtual void Modify(const NotifyIconData& data) = 0;
    virtual void Delete(const NotifyIconData& data) = 0;

    // The pointer's current position in screen coordinates.
    virtual ScreenPoint CursorPos() = 0;

    virtual std::unique_ptr<HiddenWindow> CreateHiddenWindow(WindowProc proc) = 0;
    // A new timer with this interval, disabled.
    virtual std::unique_ptr<IntervalTimer> CreateTimer(std::int32_t interval, std::function<void()> onTick) = 0;

    // The message every top-level window receives when the taskbar has been
    // created anew (after Explorer restarts) and its icons are gone.
    virtual std::uint32_t TaskbarCreatedMessage() = 0;

    // The size S of the square icons the notification area shows at its
    // DPI: 16 at 100 %, 24 at 150 %, 32 at 200 %.
    virtual int IconSize() { return 16; }

    // Whether a setting change (kSettingChangeMessage's lParam, the name of
    // what changed) is one of the colours or the light or dark theme.
    virtual bool IsColourSetChange(std::intptr_t lParam) {
        (void)lParam;
        return false;
    }

    // A notification from an icon in the area (a balloon; Windows 10 and 11
    // show it as a toast), with a title and a text in UTF-8. It takes no
    // focus and changes nothing of the icon.
    virtual void ShowBalloon(WindowId hWnd, std::uint32_t uID, const std::string& title, const std::string& text) {
        (void)hWnd, (void)uID, (void)title, (void)text;
    }
    // Where the icon stands on the taskbar; nothing when the shell can't
    // say, or the icon is not on the taskbar itself (the overflow panel).
    virtual std::optional<ScreenRect> IconRect(WindowId hWnd, std::uint32_t uID) {
        (void)hWnd, (void)uID;
        return std::nullopt;
    }
};

}  // namespace kavelo
