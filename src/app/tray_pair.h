#pragma once
// The two tray icons that show the gauge side by side: each shows one half
// of the tray picture, the half going to the icon that stands on its side.
// The pair owns their pictures, order, tip and balloons, and routes the
// clicks on either icon to the form's handlers.
#include <cstdint>
#include <string>

#include "app/tray_order.h"
#include "core/day_clock.h"
#include "platform/error_box.h"
#include "platform/image_list.h"
#include "platform/notify_shell.h"
#include "render/gauge_face.h"
#include "render/pixel_buffer.h"
#include "tray/zet_sys_tray.h"

namespace kavelo {

class TrayPair {
public:
    static constexpr const char* kTrayTip = "Etat de la batterie";
    static constexpr const char* kFirstRunTitle = "Kavelo is running";
    static constexpr const char* kFirstRunText =
        "Two icons at the right of the taskbar show the charge.\n"
        "On Windows 11 they may hide behind the ^ arrow:\n"
        "drag both onto the taskbar, the left half first.\n"
        "Double-click an icon to show the gauge window.";

    // The face draws the pictures at the notification area's icon size.
    TrayPair(NotifyShell& shell, ErrorBox& errors, ImageList& images, Clock& clock, GaugeFace& face);

    // Ids 1 and 2: the left and the right half, told apart by Windows
    // across runs.
    TZetSysTray ZetSysTray1;
    TZetSysTray ZetSysTray2;

    // A click and a double-click on either icon.
    void SetOnClick(TSysTrayMouseEvent handler);
    void SetOnDblClick(TSysTrayMouseEvent handler);
    // The pointer over either icon, at most once a second: what the tip
    // says may be read again.
    void SetOnPointerVisit(void (*handler)(void* context), void* context) {
        onPointerVisit_ = handler;
        pointerContext_ = context;
    }

    // The pictures and the image list at the notification area's icon size.
    void SetIconSize(int size);
    // The two halves are new: the icons show them, added at the first call.
    void SetImages(const PixelBuffer& left, const PixelBuffer& right);
    void SetTip(const std::string& tip);
    // From the icon that shows the left half.
    void ShowBalloon(const std::string& title, const std::string& text);

private:
    void Setup(TZetSysTray& tray, int image);
    TZetSysTray& LeftTray() { return order_ == TrayOrder::Swapped ? ZetSysTray2 : ZetSysTray1; }
    // The halves handed to the icons in the order in use.
    void HandImages();
    // Asks the shell where both icons stand and, when that calls for another
    // order, hands the halves over again; `throttled` reads at most once a
    // second (pointer moves).
    void CheckOrder(bool throttled = false);

    ImageList& images_;
    Clock& clock_;
    GaugeFace& face_;
    TrayOrder order_ = TrayOrder::Normal;
    PixelBuffer left_, right_;
    bool orderRead_ = false;
    int32_t lastOrderRead_ = -1;  // day clock of the last throttled reading
    void (*onPointerVisit_)(void*) = nullptr;
    void* pointerContext_ = nullptr;
};

}  // namespace kavelo
