#pragma once
#include <windows.h>

#include "platform/gauge_window.h"

namespace kavelo::win32 {

// Turns the gauge window's raw mouse messages into GaugeWindowEvents in the
// order its handlers rely on:
//   left press                  -> MouseDown
//   left release after a press  -> Click (released over the window), MouseUp
//   second press of a double    -> DblClick, MouseDown
//   release after that          -> MouseUp, no click
//   right press / release       -> MouseDown / MouseUp, ContextPopup
//   middle press / release      -> MouseDown / MouseUp
// It holds the mouse capture while a button is down: a drag moves the window
// under the pointer, which may run ahead of it.
class GaugeMouse {
public:
    explicit GaugeMouse(HWND window) : window_(window) {}

    // True when `message` is a mouse message, handled here. Events go to
    // `events` when there is one.
    bool Handle(GaugeWindowEvents* events, UINT message, LPARAM lParam);
    // The capture went to another window (a menu, a dialog): the presses
    // seen so far will not be released here.
    void CaptureLost();

private:
    void Press(bool& down);
    void ReleaseIfIdle();
    bool Inside(int x, int y) const;

    HWND window_;
    bool leftDown_ = false;
    bool leftClickable_ = false;  // a plain press, not the second of a double-click
    bool rightDown_ = false;
    bool middleDown_ = false;
};

}  // namespace kavelo::win32
