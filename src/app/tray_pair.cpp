#include "app/tray_pair.h"

#include <algorithm>

#include "render/tray_picture.h"

namespace kavelo {

namespace {
bool Holds(const ImageList& list, int index, const PixelBuffer& picture) {
    const std::uint32_t* pixels = list.Pixels(index);
    const std::size_t n = static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height());
    return pixels && list.Size() == picture.Width() && std::equal(pixels, pixels + n, picture.Data());
}
}  // namespace

TrayPair::TrayPair(NotifyShell& shell, ErrorBox& errors, ImageList& images, Clock& clock, GaugeFace& face)
    : ZetSysTray1(shell, errors, 1), ZetSysTray2(shell, errors, 2), images_(images), clock_(clock), face_(face) {
    // The stored layout: the tray components inactive, one image each.
    Setup(ZetSysTray1, 0);
    Setup(ZetSysTray2, 1);
}

void TrayPair::Setup(TZetSysTray& tray, int image) {
    tray.SetIcons(&images_);
    tray.SetIconItemLast(image);
    tray.SetIconItemFirst(image);
    tray.SetTip(kTrayTip);
    tray.SetInterval(0);
    tray.SetOnIconSizeChange([this](TZetSysTray&, int size) {
        SetIconSize(size);
        CheckOrder();
    });
    tray.SetOnTaskbarCreated([this](TZetSysTray&) { CheckOrder(); });
    tray.SetOnMouseMove([this](TZetSysTray&, int, int) { CheckOrder(true); });
    tray.SetActive(false);
}

void TrayPair::SetOnClick(TSysTrayMouseEvent handler) {
    ZetSysTray1.SetOnClick(handler);
    ZetSysTray2.SetOnClick(std::move(handler));
}

void TrayPair::SetOnDblClick(TSysTrayMouseEvent handler) {
    ZetSysTray1.SetOnDblClick(handler);
    ZetSysTray2.SetOnDblClick(std::move(handler));
}

void TrayPair::SetIconSize(int size) {
    // Both hidden windows hear of the same change; the second finds it done.
    size = std::max(size, kTrayIconSize);
    images_.SetSize(size);
    face_.SetTrayIconSize(size);
}

void TrayPair::SetTip(const std::string& tip) {
    ZetSysTray1.ChangeTip(tip);
    ZetSysTray2.ChangeTip(tip);
}

void TrayPair::ShowBalloon(const std::string& title, const std::string& text) {
    LeftTray().ShowBalloon(title, text);
}

void TrayPair::SetImages(const PixelBuffer& left, const PixelBuffer& right) {
    left_ = left;
    right_ = right;
    HandImages();
    if (!orderRead_) {
        orderRead_ = true;  // both icons were added just now
        CheckOrder();
    }
}

void TrayPair::HandImages() {
    // Image 0 is ZetSysTray1's, image 1 ZetSysTray2's.
    const bool swapped = order_ == TrayOrder::Swapped;
    const PixelBuffer& first = swapped ? right_ : left_;
    const PixelBuffer& second = swapped ? left_ : right_;
    // Most faces painted bring the same two pictures again (every tick on
    // mains): the list keeps them, and each icon is sent only what changed
    // for it since it was last sent.
    images_.SetAlpha(face_.GetTrayTheme() != TrayTheme::Classic);  // empties the list on a change
    if (images_.Count() != 2 || !Holds(images_, 0, first) || !Holds(images_, 1, second)) {
        images_.Clear();
        images_.Add(first.Data());
        images_.Add(second.Data());
    }
    // The shell puts each new icon to the left of those it has: the right
    // half goes in first, or the picture would read "30 9:" for 9:30.
    ZetSysTray2.SetActive(true);
    ZetSysTray1.SetActive(true);
    ZetSysTray1.UpdateChangedIcon();
    ZetSysTray2.UpdateChangedIcon();
}

void TrayPair::CheckOrder(bool throttled) {
    if (throttled) {
        const int32_t now = MillisecondsOfDay(clock_);
        if (lastOrderRead_ >= 0 && now >= lastOrderRead_ && now - lastOrderRead_ < 1000) return;
        lastOrderRead_ = now;
        if (onPointerVisit_) onPointerVisit_(pointerContext_);
    }
    const TrayOrder order = OrderFromPlaces(ZetSysTray1.Rect(), ZetSysTray2.Rect(), order_);
    if (order == order_) return;
    order_ = order;
    if (left_.Width() > 0) HandImages();
}

}  // namespace kavelo
