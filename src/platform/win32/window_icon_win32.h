#pragma once
#include <windows.h>

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

    bool Loaded() const { return small_ != nullptr; }

private:
    HWND window_;
    HICON small_ = nullptr;
    HICON big_ = nullptr;
};

}  // namespace kavelo::win32
