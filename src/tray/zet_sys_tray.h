#pragma once
// TZetSysTray: owns one icon in the notification area of the taskbar. It
// shows one image of an image list, or cycles through a range of them, with
// a tooltip, and reports clicks, double-clicks and pointer moves over the
// icon with the pointer's screen position.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/error_box.h"
#include "platform/image_list.h"
#include "platform/notify_shell.h"

namespace kavelo {

enum class TMouseButton : int { mbLeft = 0, mbRight = 1, mbMiddle = 2 };

class TZetSysTray;

// The lines of a tip that the shell's tip field holds, whole: a tip too long
// loses its last lines, never part of one (a first line too long on its own
// is cut after its last character that fits).
std::string FitTip(const std::string& tip);

// Sender, Button, X, Y (screen position of the pointer).
using TSysTrayMouseEvent = std::function<void(TZetSysTray& Sender, TMouseButton Button, int X, int Y)>;
// Sender, X, Y.
using TSysTrayMoveEvent = std::function<void(TZetSysTray& Sender, int X, int Y)>;
// Sender, the notification area's new icon size.
using TSysTrayIconSizeEvent = std::function<void(TZetSysTray& Sender, int Size)>;
// Sender.
using TSysTrayNotifyEvent = std::function<void(TZetSysTray& Sender)>;

class TZetSysTray {
public:
    static constexpr std::uint32_t kIconFlags = kNifMessage | kNifIcon | kNifTip;
    static constexpr std::int32_t kAnimationInterval = 333;

    // Errors raised by the event handlers are shown in `errors`. The shell
    // remembers the user's choices for an icon (shown on the taskbar or
    // hidden) by the program's path and the icon's id: a program with
    // several icons gives each its own id, the same in every run.
    TZetSysTray(NotifyShell& shell, ErrorBox& errors, std::uint32_t iconId = 1);
    ~TZetSysTray();
    TZetSysTray(const TZetSysTray&) = delete;
    TZetSysTray& operator=(const TZetSysTray&) = delete;

    // Properties, in the order a stored layout sets them. The image list is
    // referenced, not owned: it must outlive its use by UpdateIcon.
    ImageList* Icons() const { return FIcons; }
    void SetIcons(ImageList* Value);
    std::int32_t IconItemLast() const { return FIconItemLast; }
    void SetIconItemLast(std::int32_t Value);
    std::int32_t IconItemFirst() const { return FIconItemFirst; }
    void SetIconItemFirst(std::int32_t Value);
    const std::string& Tip() const { return FTip; }
    void SetTip(const std::string& Value);
    std::int32_t Interval() const { return FInterval; }
    void SetInterval(std::int32_t Value);
    const TSysTrayMouseEvent& OnClick() const { return FOnClick; }
    void SetOnClick(TSysTrayMouseEvent Value) { FOnClick = std::move(Value); }
    const TSysTrayMouseEvent& OnDblClick() const { return FOnDblClick; }
    void SetOnDblClick(TSysTrayMouseEvent Value) { FOnDblClick = std::move(Value); }
    const TSysTrayMoveEvent& OnMouseMove() const { return FOnMouseMove; }
    void SetOnMouseMove(TSysTrayMoveEvent Value) { FOnMouseMove = std::move(Value); }
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    // Raised when, after a change of DPI, settings or display, or a new
    // taskbar, the notification area asks for icons of another size.
    void SetOnIconSizeChange(TSysTrayIconSizeEvent Value) { FOnIconSizeChange = std::move(Value); }
    int IconSize() const { return FIconSize; }
    // Raised when the system's colours or its light or dark theme change.
    void SetOnColourSetChange(TSysTrayNotifyEvent Value) { FOnColourSetChange = std::move(Value); }
    // Raised once the icon is back in a notification area made anew.
    void SetOnTaskbarCreated(TSysTrayNotifyEvent Value) { FOnTaskbarCreated = std::move(Value); }

    // A notification from this icon, while it is in the area.
    void ShowBalloon(const std::string& Title, const std::string& Text);
    // Where the icon stands on the taskbar, when the shell can say.
    std::optional<ScreenRect> Rect() const;

    // Re-applies everything to the notification area: the animation timer,
    // the current image taken afresh from Icons, and the tip.
    void UpdateIcon();
    // The same, except that nothing reaches the shell when the icon it
    // shows already has the current image's picture and the tip: what this
    // icon was last sent, whatever image index or list it came from.
    void UpdateChangedIcon();
    // The tip written as SetTip writes it, then sent as UpdateChangedIcon
    // sends: the icon made for the picture before serves again.
    void ChangeTip(const std::string& Value);

    // The hidden window that receives the shell's callbacks for this icon.
    WindowId WindowHandle() const { return FWindow ? FWindow->Id() : 0; }

private:
    void ModifyIcon(const std::string& ATip, IconId AIcon);
    void AddIcon(const std::string& ATip, IconId AIcon);
    void RemoveIcon();
    void SetIconIndex(std::int32_t n);
    void AnimationTick();
    std::intptr_t TrayWindowProc(std::uint32_t Msg, std::uintptr_t WParam, std::intptr_t LParam);
    void WMCallBackMessage(std::uintptr_t WParam, std::intptr_t LParam);
    void TaskbarCreated();
    void CheckIconSize();
    void FillIconData(const std::string& ATip, IconId AIcon);
    void UpdateTimerAndIndex();
    void RememberSent(const std::string& ATip);
    bool ShowsCurrent() const;

    NotifyShell& FShell;
    ErrorBox& FErrors;
    const std::uint32_t FIconId;

    ImageList* FIcons = nullptr;
    std::int32_t FIconItemLast = -1;
    std::int32_t FIconItemFirst = -1;
    std::string FTip;
    std::int32_t FInterval = 0;
    TSysTrayMouseEvent FOnClick;
    TSysTrayMouseEvent FOnDblClick;
    TSysTrayMoveEvent FOnMouseMove;
    TSysTrayIconSizeEvent FOnIconSizeChange;
    TSysTrayNotifyEvent FOnTaskbarCreated;
    TSysTrayNotifyEvent FOnColourSetChange;
    bool FActive = false;
    int FIconSize = 0;

    NotifyIconData IconData;
    OwnedIcon WorkIcon;
    std::int32_t IconIndex = -1;
    bool IconShown = false;
    // What the shell was last given for this icon, while IconShown.
    std::vector<std::uint32_t> SentPicture;
    std::string SentTip;
    std::unique_ptr<IntervalTimer> AnimationTimer;
    std::unique_ptr<HiddenWindow> FWindow;
};

}  // namespace kavelo
