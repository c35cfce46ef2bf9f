#include "platform/win32/window_icon_win32.h"

#include "platform/win32/last_error_win32.h"

namespace kavelo::win32 {

namespace {
HICON LoadProgramIcon(int sizeMetric) {
    const int size = GetSystemMetrics(sizeMetric);
    const HINSTANCE module = GetModuleHandleW(nullptr);
    const wchar_t* const names[] = {L"MAINICON", MAKEINTRESOURCEW(1)};
    for (const wchar_t* name : names) {
        if (HANDLE icon = LoadImageW(module, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR)) {
            return static_cast<HICON>(icon);
        }
    }
    TraceLastError("LoadImageW(MAINICON)");  // a build without the icon resource
    return nullptr;
}
}  // namespace

WindowIcon::WindowIcon(HWND window) : window_(window) {
    if (!SetTimer(window_, kTimerId, USER_TIMER_MINIMUM, nullptr)) OnTimer(kTimerId);  // then at once
}

bool WindowIcon::OnTimer(WPARAM id) {
    if (id != kTimerId) return false;
    KillTimer(window_, kTimerId);
    if (small_) return true;
    small_.reset(LoadProgramIcon(SM_CXSMICON));
    big_.reset(LoadProgramIcon(SM_CXICON));
    if (small_) SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_.get()));
    if (big_) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_.get()));
    return true;
}

WindowIcon::~WindowIcon() {
    // The window may outlive its icons: it must not keep drawing freed ones.
    if (IsWindow(window_)) {
        KillTimer(window_, kTimerId);
        SendMessageW(window_, WM_SETICON, ICON_SMALL, 0);
        SendMessageW(window_, WM_SETICON, ICON_BIG, 0);
    }
}

}  // namespace kavelo::win32
