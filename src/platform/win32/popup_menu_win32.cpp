#include "platform/win32/popup_menu_win32.h"

#include "platform/win32/error_box_win32.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/last_error_win32.h"

namespace kavelo::win32 {

namespace {
// Fills `menu` with the items; a submenu is handed over to its parent only
// once it is complete, so that nothing leaks on the way.
void Fill(HMENU menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.caption == "-") {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!item.items.empty()) {
            UniqueMenu sub(CreatePopupMenu());
            if (!sub) continue;
            Fill(sub.get(), item.items);
            if (AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub.get()),
                            Widen(item.caption).c_str())) {
                sub.release();
            }
        } else {
            AppendMenuW(menu, MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED),
                        static_cast<UINT_PTR>(item.id), Widen(item.caption).c_str());
        }
    }
}
}  // namespace

int Win32PopupMenu::TrackPopup(const std::vector<MenuItem>& items, int screenX, int screenY) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) {
        TraceLastError("CreatePopupMenu");  // as if the menu were dismissed
        return 0;
    }
    Fill(menu.get(), items);
    // Without the owner in the foreground the menu wouldn't close when the
    // user clicks elsewhere; the message posted after it lets the owner's
    // thread notice the switch back.
    SetForegroundWindow(owner_);
    const int command = static_cast<int>(TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON |
                                                                         TPM_RETURNCMD | TPM_NONOTIFY,
                                                        screenX, screenY, 0, owner_, nullptr));
    PostMessageW(owner_, WM_NULL, 0, 0);
    return command;
}

}  // namespace kavelo::win32
