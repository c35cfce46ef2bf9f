#include "platform/win32/tray_timer_win32.h"

#include <exception>
#include <stdexcept>

#include "platform/win32/error_box_win32.h"

namespace kavelo::win32 {

namespace {

constexpr char kClassName[] = "KaveloTrayTimer";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

Win32TrayTimer::Win32TrayTimer(std::int32_t interval, std::function<void()> onTick)
    : interval_(interval), onTick_(std::move(onTick)) {
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    if (!registered) throw std::runtime_error("The tray timer's window class cannot be registered");
    HWND h = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    if (!h) throw std::runtime_error("The tray timer's window cannot be created");
    hwnd_.Reset(h);
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32TrayTimer::~Win32TrayTimer() {
    if (HWND h = hwnd_.Get()) {
        KillTimer(h, kTimerId);
        SetWindowLongPtrA(h, GWLP_USERDATA, 0);
    }
}

void Win32TrayTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void Win32TrayTimer::SetInterval(std::int32_t milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    Update();
}

void Win32TrayTimer::Update() {
    KillTimer(hwnd_.Get(), kTimerId);
    if (enabled_ && interval_ > 0) SetTimer(hwnd_.Get(), kTimerId, static_cast<UINT>(interval_), nullptr);
}

LRESULT CALLBACK Win32TrayTimer::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Win32TrayTimer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self || msg != WM_TIMER || wp != kTimerId) return DefWindowProcA(hwnd, msg, wp, lp);
    // A tick that finds the timer stopped (it was queued before) is dropped.
    if (!self->enabled_ || self->interval_ <= 0) return 0;
    Guarded(self->onTick_);
    return 0;
}

}  // namespace kavelo::win32
