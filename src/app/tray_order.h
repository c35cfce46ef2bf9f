#pragma once
// Which of the two tray icons shows the left half of the picture. Windows,
// not the program, decides where each icon stands, and after a restart or a
// new taskbar it may put them the other way round; the halves then follow
// the icons rather than the ids.
#include <optional>

#include "platform/notify_shell.h"

namespace kavelo {

enum class TrayOrder {
    Normal,   // the icon with id 1 shows the left half
    Swapped,  // the icon with id 2 does
};

// The order the shell's answers call for: the left half goes to the icon
// that stands on the left when both places are known and lie on one row;
// otherwise (a place unknown, icons on two rows or over each other) the
// current order stays.
TrayOrder OrderFromPlaces(const std::optional<ScreenRect>& first, const std::optional<ScreenRect>& second,
                          TrayOrder current);

}  // namespace kavelo
