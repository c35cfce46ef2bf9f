#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/details_window.h"
#include "platform/win32/dialog_window_win32.h"
#include "platform/win32/handles_win32.h"

namespace kavelo::win32 {

// The "Battery details" window: the charge graph's area at the top, then
// each figure as a label and its value in static controls, "Copy" and
// "Close". Its timer runs only while it exists.
class DetailsWindowWin32 final : public DialogWindow, public DetailsWindow {
public:
    static constexpr UINT kRefreshMs = 3000;

    DetailsWindowWin32(HWND owner, DetailsWindowEvents& events, const std::vector<std::string>& labels);
    ~DetailsWindowWin32() override;

    // DetailsWindow
    void SetValues(const std::vector<std::string>& values) override;
    void BringToFront() override { DialogWindow::BringToFront(); }
    void PutOnClipboard(const std::string& text) override;
    Area GraphArea() const override;
    void SetGraph(const PixelBuffer& picture, const std::string& summary) override;
    void EnableGraph(bool enabled) override;

private:
    void OnClose() override { events_.OnDetailsClosed(); }
    INT_PTR OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnNewDpi() override;
    GraphSpan Span() const;

    DetailsWindowEvents& events_;
    std::vector<std::wstring> values_;
    UniqueBitmap graph_;
};

// Opens details windows over the gauge window.
class Win32DetailsWindows final : public DetailsWindows {
public:
    explicit Win32DetailsWindows(HWND owner) : owner_(owner) {}
    std::unique_ptr<DetailsWindow> Open(DetailsWindowEvents& events, const std::vector<std::string>& labels) override;

private:
    HWND owner_;
};

}  // namespace kavelo::win32
