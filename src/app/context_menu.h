#pragma once
// The gauge window's context menu as one table: each row is an item, with
// its component name, caption, action and check, in the menu's order. The
// items shown, their command ids and the dispatch of a chosen command all
// come from it.
#include <string_view>
#include <vector>

#include "platform/popup_menu.h"

namespace kavelo {

class TBatterie;

struct MenuRow {
    const char* name;     // the component's name, as tests and code call it
    const char* caption;  // "-" for a separator
    int depth;            // 1: in the submenu of the depth-0 row above without an action
    void (TBatterie::*action)();            // none for separators and submenus
    bool (*checked)(const TBatterie& form); // none for an item never checked
};

// The context menu of a form, `PopupMenu1`.
class TPopupMenu {
public:
    explicit TPopupMenu(TBatterie& form) : form_(form) {}
    // The items with their check marks as the form's state has them now.
    std::vector<MenuItem> Items() const;
    // Runs the action of a command id; 0 (nothing chosen) does nothing.
    void Run(int command) const;
    // The command id and the check mark of an item, by its name.
    static int Command(std::string_view name);
    bool Checked(std::string_view name) const;

private:
    TBatterie& form_;
};

}  // namespace kavelo
