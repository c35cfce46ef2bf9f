#include "tray/zet_sys_tray.h"

#include <algorithm>
#include <exception>

namespace kavelo {

std::string FitTip(const std::string& tip) {
    std::size_t units = 0, lineEnd = 0;
    for (std::size_t i = 0; i < tip.size(); ++i) {
        const auto c = static_cast<unsigned char>(tip[i]);
        if ((c & 0xC0) == 0x80) continue;  // inside a character: i starts none
        if (c == '\n') lineEnd = i;
        units += c >= 0xF0 ? 2 : 1;  // beyond the basic plane: two units
        if (units > kTipLength - 1) return tip.substr(0, lineEnd > 0 ? lineEnd : i);
    }
    return tip;
}

TZetSysTray::TZetSysTray(NotifyShell& shell, ErrorBox& errors, std::uint32_t iconId)
    : FShell(shell), FErrors(errors), FIconId(iconId) {
    // WorkIcon starts empty. The window and then the timer, in that order.
    FWindow = FShell.CreateHiddenWindow(
        [this](std::uint32_t msg, std::uintptr_t wp, std::intptr_t lp) { return TrayWindowProc(msg, wp, lp); });
    IconIndex = -1;
    FIconItemFirst = -1;
    FIconItemLast = -1;
    AnimationTimer = FShell.CreateTimer(kAnimationInterval, [this] { AnimationTick(); });
    FIconSize = FShell.IconSize();
}

TZetSysTray::~TZetSysTray() {
    if (AnimationTimer) {
        AnimationTimer->SetEnabled(false);
        AnimationTimer.reset();
    }
    if (IconShown) RemoveIcon();
    WorkIcon.Reset();
    FWindow.reset();
}

void TZetSysTray::SetIcons(ImageList* Value) {
    FIcons = Value;
    UpdateIcon();
}

void TZetSysTray::SetIconItemLast(std::int32_t Value) {
    if (Value == FIconItemLast) return;
    FIconItemLast = Value;
    AnimationTimer->SetEnabled(FIconItemLast > FIconItemFirst && AnimationTimer->Interval() != 0);
}

void TZetSysTray::SetIconItemFirst(std::int32_t Value) {
    if (Value == FIconItemFirst) return;
    FIconItemFirst = Value;
    AnimationTimer->SetEnabled(FIconItemLast > FIconItemFirst && AnimationTimer->Interval() != 0);
    SetIconIndex(FIconItemFirst);
}

void TZetSysTray::SetTip(const std::string& Value) {
    if (Value == FTip) return;
    FTip = Value;
    UpdateIcon();
}

void TZetSysTray::ChangeTip(const std::string& Value) {
    if (Value == FTip) return;
    FTip = Value;
    UpdateChangedIcon();
}

void TZetSysTray::SetInterval(std::int32_t Value) {
    FInterval = Value;
    AnimationTimer->SetEnabled(Value > 0);
    AnimationTimer->SetInterval(Value);
}

void TZetSysTray::SetActive(bool Value) {
    if (Value == FActive) return;
    FActive = Value;
    if (FActive && !IconShown) UpdateIcon();
    if (!FActive && IconShown) RemoveIcon();
}

void TZetSysTray::UpdateTimerAndIndex() {
    AnimationTimer->SetEnabled(FIconItemFirst < FIconItemLast && FActive && FInterval > 0);
    if (IconIndex > FIconItemLast) IconIndex = FIconItemLast;
    // After the last index, so that the first one wins when the range is
    // inverted.
    if (IconIndex < FIconItemFirst) IconIndex = FIconItemFirst;
}

void TZetSysTray::UpdateIcon() {
    UpdateTimerAndIndex();
    if (FIcons) {
        FIcons->GetIcon(IconIndex, WorkIcon);
        ModifyIcon(FTip, WorkIcon.Handle());
    }
}

void TZetSysTray::UpdateChangedIcon() {
    UpdateTimerAndIndex();
    // Each change is a round trip to the shell's process, which then draws
    // the notification area again: a tick that changes nothing sends nothing.
    if (!FIcons || (FActive && ShowsCurrent())) return;
    FIcons->ShareIcon(IconIndex, WorkIcon);
    ModifyIcon(FTip, WorkIcon.Handle());
}

void TZetSysTray::RememberSent(const std::string& ATip) {
    SentTip = ATip;
    const std::uint32_t* pixels = FIcons ? FIcons->Pixels(IconIndex) : nullptr;
    const std::size_t n = pixels ? static_cast<std::size_t>(FIcons->Size() * FIcons->Size()) : 0;
    SentPicture.assign(pixels, pixels + n);
}

bool TZetSysTray::ShowsCurrent() const {
    if (!IconShown || FTip != SentTip) return false;
    const std::uint32_t* pixels = FIcons->Pixels(IconIndex);
    if (!pixels) return SentPicture.empty();
    return SentPicture.size() == static_cast<std::size_t>(FIcons->Size() * FIcons->Size()) &&
           std::equal(SentPicture.begin(), SentPicture.end(), pixels);
}

void TZetSysTray::FillIconData(const std::string& ATip, IconId AIcon) {
    IconData.hWnd = WindowHandle();
    IconData.uID = FIconId;
    IconData.uFlags = kIconFlags;
    IconData.uCallbackMessage = TrayCallbackMessage;
    IconData.hIcon = AIcon;
    IconData.szTip = FitTip(ATip);
}

void TZetSysTray::ModifyIcon(const std::string& ATip, IconId AIcon) {
    if (!FActive) return;
    if (!IconShown) {
        AddIcon(ATip, AIcon);
        return;
    }
    FillIconData(ATip, AIcon);
    FShell.Modify(IconData);
    RememberSent(ATip);
}

void TZetSysTray::AddIcon(const std::string& ATip, IconId AIcon) {
    if (!FActive) return;
    FillIconData(ATip, AIcon);
    // Shown from here on even if the shell refused: the next UpdateIcon
    // modifies, and a restarted taskbar brings the icon back.
    FShell.Add(IconData);
    IconShown = true;
    RememberSent(ATip);
}

void TZetSysTray::RemoveIcon() {
    if (!IconShown) return;
    // The icon and the tip stay as the last call left them.
    IconData.hWnd = WindowHandle();
    IconData.uID = FIconId;
    IconData.uFlags = kIconFlags;
    IconData.uCallbackMessage = 0;
    FShell.Delete(IconData);
    IconShown = false;
}

void TZetSysTray::SetIconIndex(std::int32_t n) {
    if (n == IconIndex) return;
    if (n > FIconItemLast) n = FIconItemLast;
    if (n < FIconItemFirst) n = FIconItemFirst;
    IconIndex = n;
    UpdateIcon();
}

void TZetSysTray::AnimationTick() {
    if (IconIndex < FIconItemLast)
        SetIconIndex(IconIndex + 1);
    else
        SetIconIndex(FIconItemFirst);
}

// A new taskbar starts with an empty notification area, so an icon that is
// meant to be there is added again. After some display changes the shell
// sends the same message with the icon still in place; it then refuses the
// add, and the icon is brought up to date instead.
void TZetSysTray::TaskbarCreated() {
    if (!IconShown) return;
    FillIconData(FTip, WorkIcon.Handle());
    if (!FShell.Add(IconData)) FShell.Modify(IconData);
    if (FOnTaskbarCreated) FOnTaskbarCreated(*this);
}

void TZetSysTray::ShowBalloon(const std::string& Title, const std::string& Text) {
    if (IconShown) FShell.ShowBalloon(WindowHandle(), FIconId, Title, Text);
}

std::optional<ScreenRect> TZetSysTray::Rect() const {
    if (!IconShown) return std::nullopt;
    return FShell.IconRect(WindowHandle(), FIconId);
}

void TZetSysTray::CheckIconSize() {
    const int size = FShell.IconSize();
    if (size == FIconSize) return;
    FIconSize = size;
    if (FOnIconSizeChange) FOnIconSizeChange(*this, size);
}

std::intptr_t TZetSysTray::TrayWindowProc(std::uint32_t Msg, std::uintptr_t WParam, std::intptr_t LParam) {
    const std::uint32_t taskbarCreated = FShell.TaskbarCreatedMessage();
    const bool isTaskbarCreated = taskbarCreated != 0 && Msg == taskbarCreated;
    const bool mayResize = isTaskbarCreated || Msg == kDpiChangedMessage ||
                           Msg == kSettingChangeMessage || Msg == kDisplayChangeMessage;
    if (Msg == TrayCallbackMessage || mayResize) {
        // Nothing raised by an event handler may leave the window procedure:
        // it is reported and the icon goes on working.
        try {
            if (Msg == TrayCallbackMessage) WMCallBackMessage(WParam, LParam);
            if (isTaskbarCreated) TaskbarCreated();
            if (mayResize) CheckIconSize();
            if (Msg == kSettingChangeMessage && FOnColourSetChange && FShell.IsColourSetChange(LParam))
                FOnColourSetChange(*this);
        } catch (const std::exception& e) {
            FErrors.ShowError(e.what());
        } catch (...) {
            FErrors.ShowError("Unexpected error");
        }
        if (Msg == TrayCallbackMessage || isTaskbarCreated) return 0;
    }
    return FWindow->DefaultProc(Msg, WParam, LParam);
}

void TZetSysTray::WMCallBackMessage(std::uintptr_t /*WParam: the icon's id*/, std::intptr_t LParam) {
    // Where the pointer is now: the message itself carries no position.
    const ScreenPoint p = FShell.CursorPos();
    const int X = p.X;
    const int Y = p.Y;
    switch (LParam) {
    case kMouseMove:
        if (FOnMouseMove) FOnMouseMove(*this, X, Y);
        break;
    case kLButtonUp:
        if (FOnClick) FOnClick(*this, TMouseButton::mbLeft, X, Y);
        break;
    case kRButtonUp:
        if (FOnClick) FOnClick(*this, TMouseButton::mbRight, X, Y);
        break;
    case kMButtonUp:
        if (FOnClick) FOnClick(*this, TMouseButton::mbMiddle, X, Y);
        break;
    case kLButtonDblClk:
        if (FOnDblClick) FOnDblClick(*this, TMouseButton::mbLeft, X, Y);
        break;
    case kRButtonDblClk:
        if (FOnDblClick) FOnDblClick(*this, TMouseButton::mbRight, X, Y);
        break;
    case kMButtonDblClk:
        if (FOnDblClick) FOnDblClick(*this, TMouseButton::mbMiddle, X, Y);
        break;
    default:  // button presses and anything else
        break;
    }
}

}  // namespace kavelo
