#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/gauge_window.h"
#include "platform/win32/gauge_mouse_win32.h"
#include "platform/win32/gauge_surface_win32.h"
#include "platform/win32/window_thunk_win32.h"
#include "platform/win32/window_timer_win32.h"

namespace kavelo::win32 {

class Win32Application;
class WindowIcon;
class WindowTooltip;
class PowerSettingNotifications;

// The gauge window "TBatterie": borderless (the frame is part of the
// picture), owned by the application window so that it has no taskbar entry
// of its own, double-clicks enabled. It reports to GaugeWindowEvents and
// carries Timer1, the tooltip, the icon and the power notifications.
//
// It is created hidden; its events are connected afterwards (the logic that
// receives them is built over this window), and nothing is reported before.
class Win32GaugeWindow final : public GaugeWindowHost, public MessageTarget<WindowKind> {
public:
    static constexpr UINT_PTR kTimer1Id = 1;
    static constexpr UINT kTimer1IntervalMs = 500;
    static constexpr const char* kHint = "Cliquez sur le bouton de droite pour le menu";

    explicit Win32GaugeWindow(Win32Application& app, GaugeWindowEvents* events = nullptr);
    ~Win32GaugeWindow() override;
    void SetEvents(GaugeWindowEvents* events) { events_ = events; }
    Win32WindowTimer& Timer1() { return *timer1_; }
    HWND Tooltip();
    int PowerSettingsRegistered() const;

    int Dpi() const override { return static_cast<int>(dpi_); }
    int Left() const override;
    int Top() const override;
    int Width() const override;
    int Height() const override;
    void SetLeft(int left) override;
    void SetTop(int top) override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void SetSize(int width, int height) override;
    void SetBounds(const WindowBounds& bounds) override;
    void KeepOnAMonitor() override;
    void Show() override;
    void Hide() override;
    bool Visible() const override;
    bool IsMinimised() const override;
    void SetTopmost(bool topmost) override;
    bool IsTopmost() const override;
    void SetCaption(const std::string& caption) override;
    void SetPicture(const PixelBuffer& picture) override;
    void ShowLabel(const std::string& text) override;
    void HideLabel() override;
    void Repaint() override;
    void PostLeftButtonUp() override;
    void Close() override;

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The logic places the window at the suggested rectangle, at the size
    // it gave for WM_GETDPISCALEDSIZE, and repaints it.
    LRESULT OnDpiChanged(UINT dpi, const RECT& suggested, WPARAM wParam, LPARAM lParam) override;
    // Takes `dpi` as the window's and tells the logic when it changed.
    void FollowDpi(UINT dpi, const RECT& suggested);
    void OnDestroyMessage();
    RECT Bounds() const;
    void Place(const WindowBounds& bounds, UINT flags);
    void Invalidate();

    Win32Application& app_;
    HWND owner_ = nullptr;
    GaugeWindowEvents* events_;
    UINT dpi_ = 96;  // of the monitor the window is on
    std::string caption_ = "Kavelo";  // the window's text
    bool tearingDown_ = false;       // destroyed by the destructor, not closed
    bool closing_ = false;           // closed or destroying: answers no show request
    std::optional<SIZE> resizingTo_;  // our own size change in progress
    GaugeSurface surface_;
    std::optional<GaugeMouse> mouse_;
    std::optional<Win32WindowTimer> timer1_;
    std::unique_ptr<WindowIcon> icon_;
    std::unique_ptr<WindowTooltip> tooltip_;
    std::unique_ptr<PowerSettingNotifications> power_;
};

}  // namespace kavelo::win32
