#pragma once
#include <string>

namespace kavelo {

// The process-wide things of the window framework: the application's title
// (the text of its taskbar entry, carried by its own hidden window), its
// hint, its message processing and its standard boxes.
class Application {
public:
    virtual ~Application() = default;
    virtual void SetTitle(const std::string& title) = 0;
    virtual std::string Title() const = 0;
    virtual void SetHint(const std::string& hint) = 0;
    virtual void SetShowHint(bool show) = 0;
    virtual void HideTaskbarEntry() = 0;     // ShowWindow(SW_HIDE) on the application window
    virtual void RestoreTaskbarEntry() = 0;  // ShowWindow(SW_RESTORE)
    // Processes the pending messages once, then returns.
    virtual void ProcessMessages() = 0;
    // Modal information box captioned "Information", centred on the screen.
    virtual void ShowInformation(const std::string& text) = 0;
    // The framework's error box (stop icon, application title, OK).
    virtual void ShowError(const std::string& message) = 0;
};

}  // namespace kavelo
