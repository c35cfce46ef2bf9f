#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/handles_win32.h"

namespace kavelo::win32 {

// A tooltip over a window's whole area, shown after the pointer has rested
// there for the initial delay, whether or not the window is active.
class WindowTooltip {
public:
    WindowTooltip(HWND tool, const std::wstring& text, int initialDelayMs);

    HWND Handle() const { return tip_.get(); }

private:
    UniqueWindow tip_;
    std::wstring text_;  // the control keeps a pointer to it
};

}  // namespace kavelo::win32
