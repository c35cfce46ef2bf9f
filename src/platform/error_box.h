#pragma once
#include <string>

namespace kavelo {

// The application's error box: an error that reaches an event handler's
// caller is shown there, captioned with the application title, with a stop
// icon and an OK button, and the program goes on.
class ErrorBox {
public:
    virtual ~ErrorBox() = default;
    virtual void ShowError(const std::string& message) = 0;
};

// The text as the box shows it: a full stop is added when the last
// character sorts after '.' (so "Disk full" gets one, "Done." and "Why?"
// keep theirs as they are).
inline std::string ErrorBoxText(std::string message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
    return message;
}

}  // namespace kavelo
