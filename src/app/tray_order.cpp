#include "app/tray_order.h"

namespace kavelo {

TrayOrder OrderFromPlaces(const std::optional<ScreenRect>& first, const std::optional<ScreenRect>& second,
                          TrayOrder current) {
    if (!first || !second) return current;
    const bool oneRow = first->Top < second->Bottom && second->Top < first->Bottom;
    if (!oneRow) return current;
    if (first->Left >= second->Right) return TrayOrder::Swapped;
    if (second->Left >= first->Right) return TrayOrder::Normal;
    return current;
}

}  // namespace kavelo
