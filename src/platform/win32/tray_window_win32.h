#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/notify_shell.h"
#include "platform/win32/window_thunk_win32.h"

namespace kavelo::win32 {

// Hands the system's broadcasts a tray icon cares for ("TaskbarCreated", a
// changed setting, display or DPI) to every tray window, the newest first:
// the program adds its right icon first, so that is the order in which a
// new taskbar gets them back. They come from a top-level window that hears
// them: the application's, given one (Listen), or else an invisible tool
// window of its own, made when the first tray window joins.
class TrayBroadcasts final : public MessageTarget<WindowKind> {
public:
    explicit TrayBroadcasts(UINT taskbarCreated) : taskbarCreated_(taskbarCreated) {}
    // A message the listening window received; those that matter are handed on.
    void Listen(UINT message, WPARAM wParam, LPARAM lParam);
    void ListenedElsewhere() { elsewhere_ = true; }
    void Join(HWND window);
    void Leave(HWND window);

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT taskbarCreated_;
    bool elsewhere_ = false;
    std::vector<HWND> windows_;
};

// The hidden window of one tray icon: a message-only window, the cheapest
// kind (each top-level window costs the start a few milliseconds). Such a
// window hears no broadcasts; the shell's TrayBroadcasts hands it those it
// needs. Whatever the procedure throws is shown in the application's error
// box and goes no further.
class Win32TrayWindow final : public HiddenWindow, public MessageTarget<WindowKind> {
public:
    Win32TrayWindow(WindowProc proc, std::shared_ptr<TrayBroadcasts> broadcasts);
    ~Win32TrayWindow() override;

    WindowId Id() const override { return reinterpret_cast<WindowId>(Handle()); }
    std::intptr_t DefaultProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    WindowProc proc_;
    std::shared_ptr<TrayBroadcasts> broadcasts_;
    bool forwarding_ = false;  // the owner's procedure hears only the window's life in between
};

// Lets `message` reach `hwnd` from processes of lower integrity, where the
// system knows how (Windows 7 and later); elsewhere nothing is needed.
void AllowMessageFromLowerIntegrity(HWND hwnd, UINT message);

}  // namespace kavelo::win32
