#pragma once
#include <string>

#include "platform/error_box.h"

namespace kavelo::win32 {

// UTF-8 to UTF-16 for the wide Windows calls that show text.
std::wstring Widen(const std::string& utf8);

// The application title that captions the error box (and the taskbar entry).
void SetApplicationTitle(const std::string& title);
std::string ApplicationTitle();

// Shows the error box at once (MB_ICONSTOP | MB_OK), captioned with the
// application title.
void ShowErrorBox(const std::string& message);

class Win32ErrorBox final : public ErrorBox {
public:
    void ShowError(const std::string& message) override { ShowErrorBox(message); }
};

}  // namespace kavelo::win32
