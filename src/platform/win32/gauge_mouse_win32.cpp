#include "platform/win32/gauge_mouse_win32.h"

#include <windowsx.h>

namespace kavelo::win32 {

bool GaugeMouse::Handle(GaugeWindowEvents* events, UINT message, LPARAM lParam) {
    // Signed: under capture the pointer can be left of or above the window.
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_MOUSEMOVE:
        if (events) events->OnMouseMove(x, y);
        return true;
    case WM_LBUTTONDOWN:
        Press(leftDown_);
        leftClickable_ = true;
        if (events) events->OnMouseDown(MouseButton::Left, x, y);
        return true;
    case WM_LBUTTONDBLCLK:
        Press(leftDown_);
        leftClickable_ = false;
        if (events) {
            events->OnDblClick();
            events->OnMouseDown(MouseButton::Left, x, y);
        }
        return true;
    case WM_LBUTTONUP: {
        // A release with no press seen here (one posted by the program after
        // a menu, or the end of a press that began elsewhere) clicks nothing.
        const bool click = leftDown_ && leftClickable_ && Inside(x, y);
        leftDown_ = leftClickable_ = false;
        ReleaseIfIdle();
        if (events) {
            if (click) events->OnClick();
            events->OnMouseUp(MouseButton::Left, x, y);
        }
        return true;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        Press(rightDown_);
        if (events) events->OnMouseDown(MouseButton::Right, x, y);
        return true;
    case WM_RBUTTONUP: {
        rightDown_ = false;
        ReleaseIfIdle();
        POINT screen{x, y};
        ClientToScreen(window_, &screen);
        if (events) {
            events->OnMouseUp(MouseButton::Right, x, y);
            events->OnContextPopup(screen.x, screen.y);
        }
        return true;
    }
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        Press(middleDown_);
        if (events) events->OnMouseDown(MouseButton::Middle, x, y);
        return true;
    case WM_MBUTTONUP:
        middleDown_ = false;
        ReleaseIfIdle();
        if (events) events->OnMouseUp(MouseButton::Middle, x, y);
        return true;
    default:
        return false;
    }
}

void GaugeMouse::CaptureLost() { leftDown_ = leftClickable_ = rightDown_ = middleDown_ = false; }

void GaugeMouse::Press(bool& down) {
    down = true;
    if (GetCapture() != window_) SetCapture(window_);
}

void GaugeMouse::ReleaseIfIdle() {
    if (!leftDown_ && !rightDown_ && !middleDown_ && GetCapture() == window_) ReleaseCapture();
}

bool GaugeMouse::Inside(int x, int y) const {
    RECT client{};
    GetClientRect(window_, &client);
    return PtInRect(&client, POINT{x, y}) != 0;
}

}  // namespace kavelo::win32
