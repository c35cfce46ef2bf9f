#pragma once
#include <exception>
#include <string>

#include "platform/error_box.h"

namespace kavelo::win32 {

// UTF-8 to UTF-16 for the wide Windows calls, and back.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

// The application title that captions the error box (and the taskbar entry).
void SetApplicationTitle(const std::string& title);
std::string ApplicationTitle();

// Shows the error box at once (MB_ICONSTOP | MB_OK), captioned with the
// application title.
void ShowErrorBox(const std::string& message);

// Runs a handler called from a window or timer procedure: an error it
// raises is shown in the error box and goes no further, as the framework's
// handler did; the program goes on.
template <class Handler>
void Guarded(Handler&& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& e) {
        ShowErrorBox(e.what());
    } catch (...) {
        ShowErrorBox("Unexpected error");
    }
}

class Win32ErrorBox final : public ErrorBox {
public:
    void ShowError(const std::string& message) override { ShowErrorBox(message); }
};

}  // namespace kavelo::win32
