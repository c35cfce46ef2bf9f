#pragma once
#include <windows.h>

#include "platform/win32/handles_win32.h"

namespace kavelo::win32 {

// The program's icon ("MAINICON", or else id 1) on a window: the small one
// for its caption, the large one for Alt+Tab and the taskbar. A build
// without the icon resource shows the system's default instead.
class WindowIcon {
public:
    explicit WindowIcon(HWND window);
    ~WindowIcon();
    WindowIcon(const WindowIcon&) = delete;
    WindowIcon& operator=(const WindowIcon&) = delete;

    bool Loaded() const { return static_cast<bool>(small_); }

private:
    HWND window_;
    UniqueIcon small_;
    UniqueIcon big_;
};

}  // namespace kavelo::win32
