#pragma once
#include <windows.h>

namespace kavelo::win32 {

// The window procedure of a class whose windows each belong to one C++
// object: the object passed as the creation parameter is kept in the
// window's user data, gets every message from WM_NCCREATE on through
// `OnMessage`, and is let go at WM_NCDESTROY (its handle member cleared).
// T befriends this template and has `HWND hwnd_` and
// `LRESULT OnMessage(UINT, WPARAM, LPARAM)`.
template <typename T>
LRESULT CALLBACK MemberWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

}  // namespace kavelo::win32
