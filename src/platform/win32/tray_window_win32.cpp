#include "platform/win32/tray_window_win32.h"

#include "platform/win32/last_error_win32.h"

namespace kavelo::win32 {

namespace {
constexpr wchar_t kClassName[] = L"KaveloTrayWindow";
}  // namespace

void AllowMessageFromLowerIntegrity(HWND hwnd, UINT message) {
    using FilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    static const FilterFn filter = [] {
        HMODULE user32 = GetModuleHandleA("user32.dll");
        FARPROC p = user32 ? GetProcAddress(user32, "ChangeWindowMessageFilterEx") : nullptr;
        return reinterpret_cast<FilterFn>(reinterpret_cast<void (*)()>(p));
    }();
    constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
    if (filter && message != 0 && !filter(hwnd, message, kAllow, nullptr))
        TraceLastError("ChangeWindowMessageFilterEx");
}

Win32TrayWindow::Win32TrayWindow(WindowProc proc, UINT taskbarCreated) : proc_(std::move(proc)) {
    CreateWindowFor({.className = kClassName, .exStyle = WS_EX_TOOLWINDOW, .style = WS_POPUP});
    AllowMessageFromLowerIntegrity(Handle(), taskbarCreated);
    AllowMessageFromLowerIntegrity(Handle(), TrayCallbackMessage);
    // From here on every message goes to the owner's procedure; those of
    // the creation itself went to the default one.
    forwarding_ = true;
}

Win32TrayWindow::~Win32TrayWindow() {
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
