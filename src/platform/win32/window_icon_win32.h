#pragma once
#include <windows.h>

#include "platform/win32/handles_win32.h"

namespace kavelo::win32 {

// The program's icon ("MAINICON", or else id 1) on a window: the small one
// for its caption, the large one for Alt+Tab and the taskbar. A build
// without the icon resource shows the system's default instead.
//
// It is set on a timer message of the window's, which comes after the first
// paint that is due: the start shows its face first (each icon set costs a
// few milliseconds), and nobody sees a window's icon in that moment.
class WindowIcon {
public:
    explicit WindowIcon(HWND window);
    ~WindowIcon();
    WindowIcon(const WindowIcon&) = delete;
    WindowIcon& operator=(const WindowIcon&) = delete;

    // To be called with every WM_TIMER of the window: true when it was this
    // icon's (which is then set), and nothing else is to be done with it.
    bool OnTimer(WPARAM id);
    bool Loaded() const { return static_cast<bool>(small_); }

private:
    static constexpr UINT_PTR kTimerId = 0x1C0;
    HWND window_;
    UniqueIcon small_;
    UniqueIcon big_;
};

}  // namespace kavelo::win32
