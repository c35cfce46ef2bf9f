#include "platform/win32/tray_window_win32.h"

#include <exception>
#include <stdexcept>

#include "platform/win32/error_box_win32.h"

namespace kavelo::win32 {

namespace {

constexpr char kClassName[] = "KaveloTrayWindow";

void RegisterClassOnce(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    if (!registered) throw std::runtime_error("The tray icon's window class cannot be registered");
}

}  // namespace

void AllowMessageFromLowerIntegrity(HWND hwnd, UINT message) {
    using FilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    static const FilterFn filter = [] {
        HMODULE user32 = GetModuleHandleA("user32.dll");
        FARPROC p = user32 ? GetProcAddress(user32, "ChangeWindowMessageFilterEx") : nullptr;
        return reinterpret_cast<FilterFn>(reinterpret_cast<void (*)()>(p));
    }();
    constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
    if (filter && message != 0) filter(hwnd, message, kAllow, nullptr);
}

Win32TrayWindow::Win32TrayWindow(WindowProc proc, UINT taskbarCreated) : proc_(std::move(proc)) {
    RegisterClassOnce(&Procedure);
    HWND h = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (!h) throw std::runtime_error("The tray icon's window cannot be created");
    hwnd_.Reset(h);
    // From here on every message goes to the owner's procedure; those of
    // the creation itself went to the default one.
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    AllowMessageFromLowerIntegrity(h, taskbarCreated);
    AllowMessageFromLowerIntegrity(h, TrayCallbackMessage);
}

Win32TrayWindow::~Win32TrayWindow() {
    // The messages of the destruction go to the default procedure: the
    // owner is on its way out.
    if (HWND h = hwnd_.Get()) SetWindowLongPtrA(h, GWLP_USERDATA, 0);
    hwnd_.Reset();
}

std::intptr_t Win32TrayWindow::DefaultProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return DefWindowProcA(hwnd_.Get(), message, wParam, lParam);
}

LRESULT CALLBACK Win32TrayWindow::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Win32TrayWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    LRESULT result = 0;
    Guarded([&] { result = self->proc_(msg, wp, lp); });
    return result;
}

}  // namespace kavelo::win32
