#pragma once
#include <windows.h>

#include <string>

namespace kavelo::win32 {

// The program's confirmation box: caption "Confirmation", a question mark,
// the text, and the buttons "&Oui" (the default) and "&Non", which also
// answers Escape. A plain message box would label its buttons in the
// language of Windows, so the box is renamed as it appears. True when the
// answer is "&Oui".
bool ShowConfirmBox(HWND owner, const std::string& text);

}  // namespace kavelo::win32
