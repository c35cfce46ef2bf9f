#pragma once
#include <string>
#include <vector>

namespace kavelo {

// A context menu as data: the logic keeps captions and check marks, the
// window layer shows it and returns the command chosen.
struct MenuItem {
    int id = 0;            // command id, 0 for separators and submenus
    std::string caption;   // "-" for a separator
    bool checked = false;
    std::vector<MenuItem> items;  // a submenu when not empty
};

class PopupMenuHost {
public:
    virtual ~PopupMenuHost() = default;
    // Opens the menu with its top-left corner at a screen point and returns
    // once it is closed: the chosen command's id, or 0.
    virtual int TrackPopup(const std::vector<MenuItem>& items, int screenX, int screenY) = 0;
};

}  // namespace kavelo
