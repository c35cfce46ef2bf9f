#pragma once
// The window both yardsticks of the start-up benchmark open: one borderless
// 80 x 24 window at the top left, filled with pure blue (a colour that
// neither the desktop nor the gauge shows there). WM_CLOSE ends the program
// with exit code 0.
#include <windows.h>

namespace yardstick {

constexpr COLORREF kBlue = RGB(0, 0, 255);

namespace detail {
inline void (*onDestroy)(HWND) = nullptr;

inline LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH brush = CreateSolidBrush(kBlue);
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        if (onDestroy) onDestroy(hwnd);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace detail

// Opens the window (`beforeShow` runs between its creation and its showing,
// `onDestroy` when it is destroyed) and runs the message loop to its end.
inline int RunBlueWindow(HINSTANCE instance, const wchar_t* className, DWORD exStyle,
                         void (*beforeShow)(HWND) = nullptr, void (*onDestroy)(HWND) = nullptr) {
    detail::onDestroy = onDestroy;
    WNDCLASSW wc{};
    wc.lpfnWndProc = detail::WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    if (!RegisterClassW(&wc)) return 1;
    HWND hwnd = CreateWindowExW(exStyle, className, L"yardstick", WS_POPUP, 0, 0, 80, 24, nullptr, nullptr,
                                instance, nullptr);
    if (!hwnd) return 1;
    if (beforeShow) beforeShow(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace yardstick
