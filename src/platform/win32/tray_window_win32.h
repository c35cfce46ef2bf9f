#pragma once
#include <windows.h>

#include "platform/notify_shell.h"
#include "platform/win32/window_thunk_win32.h"

namespace kavelo::win32 {

// The hidden window of one tray icon. It is an invisible top-level tool
// window, never shown: a message-only window would not hear the
// "TaskbarCreated" broadcast. Whatever the procedure throws is shown in the
// application's error box and goes no further.
class Win32TrayWindow final : public HiddenWindow, public MessageTarget<WindowKind> {
public:
    // `taskbarCreated` is let through the integrity filter, so that an
    // elevated process still hears of a restarted taskbar.
    Win32TrayWindow(WindowProc proc, UINT taskbarCreated);
    ~Win32TrayWindow() override;

    WindowId Id() const override { return reinterpret_cast<WindowId>(Handle()); }
    std::intptr_t DefaultProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    WindowProc proc_;
    bool forwarding_ = false;  // the owner's procedure hears only the window's life in between
};

// Lets `message` reach `hwnd` from processes of lower integrity, where the
// system knows how (Windows 7 and later); elsewhere nothing is needed.
void AllowMessageFromLowerIntegrity(HWND hwnd, UINT message);

}  // namespace kavelo::win32
