#include "platform/win32/gauge_window_win32.h"

#include "platform/win32/application_win32.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/error_box_win32.h"
#include "platform/win32/power_notify_win32.h"
#include "platform/win32/single_instance_win32.h"
#include "platform/win32/window_icon_win32.h"
#include "platform/win32/window_tooltip_win32.h"
#include "render/window_picture.h"

namespace kavelo::win32 {

namespace {
constexpr wchar_t kClassName[] = L"TBatterie";
// The stored client size; the size rule replaces it before the window shows.
constexpr int kInitialWidth = 108;
constexpr int kInitialHeight = 29;
}  // namespace

Win32GaugeWindow::Win32GaugeWindow(Win32Application& app, GaugeWindowEvents* events)
    : app_(app), owner_(app.Handle()), events_(nullptr) {
    // Owned by the application window: an owned window gets no taskbar entry.
    CreateWindowFor({.className = kClassName,
                     .classStyle = CS_DBLCLKS,
                     .title = L"Kavelo",
                     .style = WS_POPUP | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                     .width = kInitialWidth,
                     .height = kInitialHeight,
                     .parent = owner_});
    dpi_ = WindowDpi(Handle());
    surface_.SetScale(WindowScale(static_cast<int>(dpi_)));
    mouse_.emplace(Handle());
    timer1_.emplace(Handle(), kTimer1Id, kTimer1IntervalMs);
    icon_ = std::make_unique<WindowIcon>(Handle());
    power_ = std::make_unique<PowerSettingNotifications>(Handle());
    app_.SetMainWindow(Handle());
    events_ = events;
}

Win32GaugeWindow::~Win32GaugeWindow() {
    // The logic behind the events may already be gone, and a window that is
    // merely torn down (not closed) doesn't end the program.
    events_ = nullptr;
    tearingDown_ = true;
    if (app_.MainWindow() == Handle()) app_.SetMainWindow(nullptr);
    DestroyWindowNow();
}

HWND Win32GaugeWindow::Tooltip() {
    // Made at its first use, the pointer's first visit: not before the
    // first face.
    if (!tooltip_ && Handle()) tooltip_ = std::make_unique<WindowTooltip>(Handle(), Widen(kHint), app_.HintPause());
    return tooltip_ ? tooltip_->Handle() : nullptr;
}

int Win32GaugeWindow::PowerSettingsRegistered() const { return power_ ? power_->Count() : 0; }

LRESULT Win32GaugeWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE) Tooltip();
    if (tooltip_) tooltip_->Relay(Handle(), message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(Handle(), &ps);
        RECT client{};
        GetClientRect(Handle(), &client);
        surface_.Paint(dc, client.right, client.bottom);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(Handle(), &client);
        surface_.Paint(reinterpret_cast<HDC>(wParam), client.right, client.bottom);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // the paint covers every pixel
    case WM_GETMINMAXINFO: {
        // The user can't resize the window: only the program's own size
        // changes get through.
        SIZE size{};
        if (resizingTo_) {
            size = *resizingTo_;
        } else {
            const RECT r = Bounds();
            size = SIZE{r.right - r.left, r.bottom - r.top};
        }
        auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
        mmi->ptMinTrackSize = POINT{size.cx, size.cy};
        mmi->ptMaxTrackSize = POINT{size.cx, size.cy};
        return 0;
    }
    case WM_SIZE:
        if (events_) events_->OnResize();
        return 0;
    case kGetDpiScaledSize: {
        const WindowBounds size = events_ ? events_->SizeAtDpi(static_cast<int>(wParam)) : WindowBounds{};
        if (size.width <= 0 || size.height <= 0) return FALSE;  // scaled as Windows sees fit
        *reinterpret_cast<SIZE*>(lParam) = SIZE{size.width, size.height};
        return TRUE;
    }
    case WM_ACTIVATE: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        const WORD state = LOWORD(wParam);
        if (events_ && (state == WA_ACTIVE || state == WA_CLICKACTIVE)) events_->OnActivate();
        return result;
    }
    case WM_TIMER:
        if (icon_ && icon_->OnTimer(wParam)) return 0;
        if (timer1_ && timer1_->IsTick(wParam)) {
            if (events_) events_->OnTimer1();
            return 0;
        }
        break;
    case WM_POWERBROADCAST:
        if (events_) events_->OnPowerBroadcast(PowerEventOf(wParam, lParam));
        return TRUE;
    case WM_CLOSE:
        // From here on the window is as good as gone: another start must
        // not count on it (its settings are saved while it is destroyed).
        closing_ = true;
        break;
    case WM_ENDSESSION:
        // The process is ended after this returns, the window never destroyed.
        closing_ = closing_ || wParam;
        if (wParam && events_) events_->OnEndSession();
        return 0;
    case WM_CAPTURECHANGED:
        if (mouse_ && reinterpret_cast<HWND>(lParam) != Handle()) mouse_->CaptureLost();
        return 0;
    case WM_DESTROY:
        OnDestroyMessage();
        return 0;
    default:
        if (message == ShowRequestMessage()) {
            if (closing_ || !events_) return 0;
            events_->OnShowRequest();
            return kShowRequestAnswer;
        }
        if (mouse_ && mouse_->Handle(events_, message, lParam)) return 0;
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

LRESULT Win32GaugeWindow::OnDpiChanged(UINT dpi, const RECT& suggested, WPARAM, LPARAM) {
    FollowDpi(dpi, suggested);
    return 0;
}

void Win32GaugeWindow::FollowDpi(UINT dpi, const RECT& suggested) {
    const int previous = static_cast<int>(dpi_);
    dpi_ = dpi;
    surface_.SetScale(WindowScale(static_cast<int>(dpi)));
    if (events_)
        events_->OnDpiChanged(previous, {suggested.left, suggested.top, suggested.right - suggested.left,
                                         suggested.bottom - suggested.top});
}

void Win32GaugeWindow::OnDestroyMessage() {
    closing_ = true;
    if (events_) events_->OnDestroy();
    power_.reset();
    tooltip_.reset();
    // Closed, not torn down: the main window is gone, so is the program.
    if (!tearingDown_) PostQuitMessage(0);
}

RECT Win32GaugeWindow::Bounds() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return r;
}

int Win32GaugeWindow::Left() const { return Bounds().left; }
int Win32GaugeWindow::Top() const { return Bounds().top; }
int Win32GaugeWindow::Width() const {
    const RECT r = Bounds();
    return r.right - r.left;
}
int Win32GaugeWindow::Height() const {
    const RECT r = Bounds();
    return r.bottom - r.top;
}

void Win32GaugeWindow::SetLeft(int left) {
    SetWindowPos(Handle(), nullptr, left, Top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32GaugeWindow::SetTop(int top) {
    SetWindowPos(Handle(), nullptr, Left(), top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32GaugeWindow::KeepOnAMonitor() {
    RECT r = Bounds();
    if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return;
    const RECT& work = info.rcWork;
    const int width = r.right - r.left, height = r.bottom - r.top;
    const int left = std::max<int>(work.left, std::min<int>(r.left, work.right - width));
    const int top = std::max<int>(work.top, std::min<int>(r.top, work.bottom - height));
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32GaugeWindow::SetWidth(int width) { Place({0, 0, width, Height()}, SWP_NOMOVE); }
void Win32GaugeWindow::SetHeight(int height) { Place({0, 0, Width(), height}, SWP_NOMOVE); }

void Win32GaugeWindow::SetSize(int width, int height) {
    // Every refresh that may change the size asks: most find it right.
    if (width != Width() || height != Height()) Place({0, 0, width, height}, SWP_NOMOVE);
}
void Win32GaugeWindow::SetBounds(const WindowBounds& bounds) { Place(bounds, 0); }

void Win32GaugeWindow::Place(const WindowBounds& b, UINT flags) {
    // The size limits follow the size being set, not the one being left;
    // nested size changes (from OnResize) restore the outer one's.
    const std::optional<SIZE> outer = resizingTo_;
    resizingTo_ = SIZE{b.width, b.height};
    SetWindowPos(Handle(), nullptr, b.left, b.top, b.width, b.height, flags | SWP_NOZORDER | SWP_NOACTIVATE);
    resizingTo_ = outer;
}

void Win32GaugeWindow::Show() {
    // Moved while hidden (the stored position, at the start) onto a monitor
    // of another scale, the window heard of no change: its DPI is read anew.
    if (const UINT dpi = WindowDpi(Handle()); dpi != dpi_) FollowDpi(dpi, Bounds());
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
}

void Win32GaugeWindow::Hide() { ShowWindow(Handle(), SW_HIDE); }

bool Win32GaugeWindow::Visible() const { return Handle() && IsWindowVisible(Handle()); }

bool Win32GaugeWindow::IsMinimised() const {
    // Minimising the taskbar entry minimises the application window, which
    // takes the gauge window out of sight with it.
    return (Handle() && IsIconic(Handle())) || (owner_ && IsIconic(owner_));
}

void Win32GaugeWindow::SetTopmost(bool topmost) {
    constexpr UINT kFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
    if (!topmost && IsTopmost() && owner_) {
        // Wine keeps an owned window just above its owner, and when the owner
        // lies right below the topmost windows it puts the window among them
        // again. The owner is never seen: it can go to the bottom, and then
        // nothing stops the window from leaving the topmost band.
        SetWindowPos(owner_, HWND_BOTTOM, 0, 0, 0, 0, kFlags);
        SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
    }
}

bool Win32GaugeWindow::IsTopmost() const {
    return (GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void Win32GaugeWindow::SetCaption(const std::string& caption) {
    // Every refresh sets it; a new text costs a trip to the window manager.
    if (caption == caption_) return;
    caption_ = caption;
    SetWindowTextW(Handle(), Widen(caption).c_str());
}

void Win32GaugeWindow::SetPicture(const PixelBuffer& picture) {
    if (surface_.SetPicture(picture)) Invalidate();
}

void Win32GaugeWindow::ShowLabel(const std::string& text) {
    if (surface_.ShowLabel(Widen(text))) Invalidate();
}

void Win32GaugeWindow::HideLabel() {
    if (surface_.HideLabel()) Invalidate();
}

void Win32GaugeWindow::Repaint() { RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

void Win32GaugeWindow::PostLeftButtonUp() { PostMessageW(Handle(), WM_LBUTTONUP, 0, 0); }

void Win32GaugeWindow::Close() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

void Win32GaugeWindow::Invalidate() {
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

}  // namespace kavelo::win32
