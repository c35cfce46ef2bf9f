#include "platform/win32/window_tooltip_win32.h"

#include <commctrl.h>

#include "platform/win32/last_error_win32.h"

namespace kavelo::win32 {

WindowTooltip::WindowTooltip(HWND tool, const std::wstring& text, int initialDelayMs) : text_(text) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    // Not owned by the tool: a topmost window owned by it would hold the tool
    // window's own topmost setting hostage on some systems (Wine's z-order
    // keeps owned windows above their owner and derives the topmost style
    // from the neighbours). Being topmost, it shows above the tool anyway.
    tip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr));
    if (!tip_) {
        TraceLastError("CreateWindowExW(tooltips_class32)");  // the gauge goes on without its hint
        return;
    }
    TOOLINFOW ti{};
    // The older structure size, which both common-controls versions accept.
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = tool;
    ti.uId = reinterpret_cast<UINT_PTR>(tool);
    ti.lpszText = text_.data();
    SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(tip_.get(), TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(initialDelayMs, 0));
}

void WindowTooltip::Relay(HWND tool, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        if (!tip_) return;
        MSG msg{tool, message, wParam, lParam, 0, {}};
        SendMessageW(tip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
        return;
    }
    default:
        return;
    }
}

}  // namespace kavelo::win32
