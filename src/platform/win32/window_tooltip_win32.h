#pragma once
#include <windows.h>

#include <string>

namespace kavelo::win32 {

// A tooltip over a window's whole area, shown after the pointer has rested
// there for the initial delay, whether or not the window is active.
class WindowTooltip {
public:
    WindowTooltip(HWND tool, const std::wstring& text, int initialDelayMs);
    ~WindowTooltip();
    WindowTooltip(const WindowTooltip&) = delete;
    WindowTooltip& operator=(const WindowTooltip&) = delete;

    HWND Handle() const { return tip_; }

private:
    HWND tip_ = nullptr;
    std::wstring text_;  // the control keeps a pointer to it
};

}  // namespace kavelo::win32
