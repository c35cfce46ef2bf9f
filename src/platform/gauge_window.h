#pragma once
#include <cstdint>
#include <string>

namespace kavelo {

class PixelBuffer;

enum class MouseButton : int { Left = 0, Right = 1, Middle = 2 };

// A window's place and outer size on the screen.
struct WindowBounds {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const WindowBounds&) const = default;
};

// What the gauge window reports, already in the order its handlers rely on:
// for the left button the click before the mouse-up and the double-click
// before the mouse-down; for the right button the mouse-up, then the
// context popup at the pointer.
class GaugeWindowEvents {
public:
    virtual ~GaugeWindowEvents() = default;
    virtual void OnActivate() = 0;
    virtual void OnResize() = 0;
    virtual void OnMouseDown(MouseButton button, int x, int y) = 0;  // client coordinates
    virtual void OnMouseUp(MouseButton button, int x, int y) = 0;
    virtual void OnMouseMove(int x, int y) = 0;
    virtual void OnClick() = 0;
    virtual void OnDblClick() = 0;
    virtual void OnContextPopup(int screenX, int screenY) = 0;
    virtual void OnPowerBroadcast(uint32_t event) = 0;
    virtual void OnTimer1() = 0;
    // The session ends (WM_ENDSESSION with wParam TRUE): the process will be
    // ended without its window being destroyed.
    virtual void OnEndSession() = 0;
    // The window is being destroyed (the orderly end).
    virtual void OnDestroy() = 0;
    // Before the window moves onto a monitor of another DPI, Windows asks
    // the size it is to have there (width and height; empty: no preference);
    // the rectangle it then suggests has that size.
    virtual WindowBounds SizeAtDpi(int /*dpi*/) { return {}; }
    // The window's DPI was `previousDpi` and is now Dpi() (moved onto a
    // monitor of another scale, the scale changed, or found so when shown);
    // `suggested` is where Windows would have the window now.
    virtual void OnDpiChanged(int /*previousDpi*/, const WindowBounds& /*suggested*/) {}
    // Another start of the program asks the running gauge to come into view.
    virtual void OnShowRequest() {}
};

// The borderless gauge window as the logic drives it. Positions and sizes
// are outer pixels on the screen, whatever its scale; the window has no
// frame of its own.
class GaugeWindowHost {
public:
    virtual ~GaugeWindowHost() = default;
    // The DPI of the monitor the window is on (96 at 100 %). The label is
    // drawn as its 96-DPI picture scaled by WindowScale(Dpi()).
    virtual int Dpi() const { return 96; }
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetLeft(int left) = 0;
    virtual void SetTop(int top) = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    // The height, then the width; a window may do both in one step, and
    // nothing when the size is right already.
    virtual void SetSize(int width, int height) {
        SetHeight(height);
        SetWidth(width);
    }
    // Moves and sizes the window in one step.
    virtual void SetBounds(const WindowBounds& bounds) = 0;
    // A window whose rectangle meets no monitor (a stored position from a
    // screen that is gone) is moved onto the nearest monitor's work area; a
    // window partly on a screen stays where it is.
    virtual void KeepOnAMonitor() = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    virtual bool IsMinimised() const = 0;
    virtual void SetTopmost(bool topmost) = 0;
    virtual bool IsTopmost() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // The finished window picture (frame and face), shown at the next paint.
    virtual void SetPicture(const PixelBuffer& picture) = 0;
    // Label1 over the client area instead of the face, or hidden again.
    virtual void ShowLabel(const std::string& text) = 0;
    virtual void HideLabel() = 0;
    virtual void Repaint() = 0;
    // Posts WM_LBUTTONUP (wParam 0, lParam 0) to the window itself.
    virtual void PostLeftButtonUp() = 0;
    // Closes the window; being the main window, that ends the program.
    virtual void Close() = 0;
};

}  // namespace kavelo
