#pragma once
#include <windows.h>

#include "platform/popup_menu.h"

namespace kavelo::win32 {

// The context menu as the system shows it, over an owner window that
// receives nothing from it: the chosen command is returned.
class Win32PopupMenu final : public PopupMenuHost {
public:
    explicit Win32PopupMenu(HWND owner) : owner_(owner) {}

    int TrackPopup(const std::vector<MenuItem>& items, int screenX, int screenY) override;

private:
    HWND owner_;
};

}  // namespace kavelo::win32
