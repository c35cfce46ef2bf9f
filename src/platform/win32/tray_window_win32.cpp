#include "platform/win32/tray_window_win32.h"

#include <algorithm>

#include "platform/win32/last_error_win32.h"
#include "platform/win32/system_function_win32.h"

namespace kavelo::win32 {

namespace {
constexpr wchar_t kClassName[] = L"KaveloTrayWindow";
constexpr wchar_t kBroadcastsClassName[] = L"KaveloTrayBroadcasts";
}  // namespace

void AllowMessageFromLowerIntegrity(HWND hwnd, UINT message) {
    using FilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    static const auto filter = SystemFunction<FilterFn>("user32.dll", "ChangeWindowMessageFilterEx");
    constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
    if (filter && message != 0 && !filter(hwnd, message, kAllow, nullptr))
        TraceLastError("ChangeWindowMessageFilterEx");
}

void TrayBroadcasts::Join(HWND window) {
    if (!elsewhere_ && !Handle()) {
        CreateWindowFor({.className = kBroadcastsClassName, .exStyle = WS_EX_TOOLWINDOW, .style = WS_POPUP});
        AllowMessageFromLowerIntegrity(Handle(), taskbarCreated_);
    }
    windows_.push_back(window);
}

void TrayBroadcasts::Leave(HWND window) { std::erase(windows_, window); }

void TrayBroadcasts::Listen(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool handedOn = (message == taskbarCreated_ && message != 0) || message == WM_SETTINGCHANGE ||
                          message == WM_DISPLAYCHANGE || message == WM_DPICHANGED;
    if (!handedOn) return;
    const std::vector<HWND> windows(windows_.rbegin(), windows_.rend());  // a handler may end one
    for (HWND w : windows)
        if (std::find(windows_.begin(), windows_.end(), w) != windows_.end()) SendMessageW(w, message, wParam, lParam);
}

LRESULT TrayBroadcasts::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    Listen(message, wParam, lParam);
    return DefaultProc(message, wParam, lParam);
}

Win32TrayWindow::Win32TrayWindow(WindowProc proc, std::shared_ptr<TrayBroadcasts> broadcasts)
    : proc_(std::move(proc)), broadcasts_(std::move(broadcasts)) {
    CreateWindowFor({.className = kClassName, .parent = HWND_MESSAGE});
    AllowMessageFromLowerIntegrity(Handle(), TrayCallbackMessage);
    broadcasts_->Join(Handle());
    // From here on every message goes to the owner's procedure; those of
    // the creation itself went to the default one.
    forwarding_ = true;
}

Win32TrayWindow::~Win32TrayWindow() {
    broadcasts_->Leave(Handle());
    // The messages of the destruction go to the default procedure: the
    // owner is on its way out.
    forwarding_ = false;
}

std::intptr_t Win32TrayWindow::DefaultProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return MessageTarget::DefaultProc(message, wParam, lParam);
}

LRESULT Win32TrayWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!forwarding_) return MessageTarget::DefaultProc(message, wParam, lParam);
    return proc_(message, wParam, lParam);
}

}  // namespace kavelo::win32
