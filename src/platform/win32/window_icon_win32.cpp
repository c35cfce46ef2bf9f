#include "platform/win32/window_icon_win32.h"

namespace kavelo::win32 {

namespace {
HICON LoadProgramIcon(int resourceId, int sizeMetric) {
    const int size = GetSystemMetrics(sizeMetric);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}
}  // namespace

WindowIcon::WindowIcon(HWND window, int resourceId)
    : window_(window),
      small_(LoadProgramIcon(resourceId, SM_CXSMICON)),
      big_(LoadProgramIcon(resourceId, SM_CXICON)) {
    if (small_) SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_));
    if (big_) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_));
}

WindowIcon::~WindowIcon() {
    // The window may outlive its icons: it must not keep drawing freed ones.
    if (IsWindow(window_)) {
        SendMessageW(window_, WM_SETICON, ICON_SMALL, 0);
        SendMessageW(window_, WM_SETICON, ICON_BIG, 0);
    }
    if (small_) DestroyIcon(small_);
    if (big_) DestroyIcon(big_);
}

}  // namespace kavelo::win32
