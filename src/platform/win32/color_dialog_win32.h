#pragma once
#include <windows.h>

#include "platform/color_dialog.h"

namespace kavelo::win32 {

// The system's colour chooser, owned by a window, opened on its basic
// colours (the custom colour part closed), preset to the colour given.
class Win32ColorDialog final : public ColorDialog {
public:
    explicit Win32ColorDialog(HWND owner) : owner_(owner) {}

    bool Execute(uint32_t& colour) override;

private:
    HWND owner_;
};

}  // namespace kavelo::win32
