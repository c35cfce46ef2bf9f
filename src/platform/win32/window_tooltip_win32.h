#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/handles_win32.h"

namespace kavelo::win32 {

// A tooltip over a window's whole area, shown after the pointer has rested
// there for the initial delay, whether or not the window is active. The
// window hands it its mouse messages (Relay): a tooltip that subclassed the
// window would look itself up on every message the window gets.
class WindowTooltip {
public:
    WindowTooltip(HWND tool, const std::wstring& text, int initialDelayMs);

    HWND Handle() const { return tip_.get(); }
    // A message the window received; the tooltip takes the mouse's.
    void Relay(HWND tool, UINT message, WPARAM wParam, LPARAM lParam);

private:
    UniqueWindow tip_;
    std::wstring text_;  // the control keeps a pointer to it
};

}  // namespace kavelo::win32
