#pragma once
#include <windows.h>

#include <utility>

#include "platform/notify_shell.h"

namespace kavelo::win32 {

// Owns one window handle; destroys the window when dropped.
class TrayWindowHandle {
public:
    TrayWindowHandle() = default;
    explicit TrayWindowHandle(HWND h) : h_(h) {}
    ~TrayWindowHandle() { Reset(); }
    TrayWindowHandle(const TrayWindowHandle&) = delete;
    TrayWindowHandle& operator=(const TrayWindowHandle&) = delete;
    HWND Get() const { return h_; }
    void Reset(HWND h = nullptr) {
        if (h_) DestroyWindow(h_);
        h_ = h;
    }

private:
    HWND h_ = nullptr;
};

// The hidden window of one tray icon. It is an invisible top-level tool
// window, never shown: a message-only window would not hear the
// "TaskbarCreated" broadcast. Whatever the procedure throws is shown in the
// application's error box and goes no further.
class Win32TrayWindow final : public HiddenWindow {
public:
    // `taskbarCreated` is let through the integrity filter, so that an
    // elevated process still hears of a restarted taskbar.
    Win32TrayWindow(WindowProc proc, UINT taskbarCreated);
    ~Win32TrayWindow() override;

    WindowId Id() const override { return reinterpret_cast<WindowId>(hwnd_.Get()); }
    std::intptr_t DefaultProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    HWND Handle() const { return hwnd_.Get(); }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    WindowProc proc_;
    TrayWindowHandle hwnd_;
};

// Lets `message` reach `hwnd` from processes of lower integrity, where the
// system knows how (Windows 7 and later); elsewhere nothing is needed.
void AllowMessageFromLowerIntegrity(HWND hwnd, UINT message);

}  // namespace kavelo::win32
