#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/application.h"
#include "platform/win32/window_thunk_win32.h"

namespace kavelo::win32 {

class WindowIcon;

// The application's own hidden top-level window ("TApplication"), which
// carries the program's one taskbar entry under the application title; the
// gauge window is owned by it and so never has an entry of its own. The
// window is zero-sized, so that "showing" it shows the entry and nothing on
// the screen. A click on the entry brings the gauge window forward; closing
// the entry closes the gauge window.
class Win32Application final : public Application, public MessageTarget<WindowKind> {
public:
    static constexpr int kHintPauseMs = 3000;

    explicit Win32Application(const std::string& title = "Kavelo");
    ~Win32Application() override;
    // The window that a click on the taskbar entry activates.
    void SetMainWindow(HWND window) { main_ = window; }
    HWND MainWindow() const { return main_; }
    // The system's broadcasts that reach this (top-level) window, handed on
    // as they come: the tray icons' message-only windows hear them this way.
    // `taskbarCreated` is let through the integrity filter.
    void SetBroadcastHandler(UINT taskbarCreated, std::function<void(UINT, WPARAM, LPARAM)> handler);
    // The message loop: runs until WM_QUIT and returns its exit code.
    int Run();

    const std::string& Hint() const { return hint_; }
    bool ShowHint() const { return showHint_; }
    int HintPause() const { return kHintPauseMs; }

    void SetTitle(const std::string& title) override;
    std::string Title() const override { return title_; }
    void SetHint(const std::string& hint) override { hint_ = hint; }
    void SetShowHint(bool show) override { showHint_ = show; }
    void HideTaskbarEntry() override;
    void RestoreTaskbarEntry() override;
    void ProcessMessages() override;
    void ShowInformation(const std::string& text) override;
    void ShowError(const std::string& message) override;

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ActivateMainWindow();

    HWND main_ = nullptr;
    std::unique_ptr<WindowIcon> icon_;
    std::function<void(UINT, WPARAM, LPARAM)> broadcasts_;
    std::string title_;
    std::string hint_;
    bool showHint_ = true;  // hints are shown unless switched off
};

}  // namespace kavelo::win32
