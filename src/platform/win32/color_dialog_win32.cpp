#include "platform/win32/color_dialog_win32.h"

#include <commdlg.h>

namespace kavelo::win32 {

bool Win32ColorDialog::Execute(uint32_t& colour) {
    // The dialog needs room for its 16 custom colours even when they are not
    // offered; they last for the run, as the dialog's own state would.
    static COLORREF customColours[16] = {};
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = owner_;
    cc.rgbResult = colour;  // 0x00BBGGRR is a COLORREF already
    cc.lpCustColors = customColours;
    cc.Flags = CC_RGBINIT;
    if (!ChooseColorA(&cc)) return false;
    colour = cc.rgbResult;
    return true;
}

}  // namespace kavelo::win32
