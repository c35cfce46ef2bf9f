#include "platform/win32/tray_shell_win32.h"

#include <algorithm>

#include "platform/win32/application_win32.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/error_box_win32.h"
#include "platform/win32/last_error_win32.h"
#include "platform/win32/system_function_win32.h"
#include "platform/win32/tray_timer_win32.h"
#include "platform/win32/tray_window_win32.h"

namespace kavelo::win32 {

static_assert(sizeof(NOTIFYICONDATAW::szTip) / sizeof(WCHAR) == kTipLength, "the tip field of the wide record");

namespace {
// Cut to the field when longer, never in the middle of a surrogate pair.
template <std::size_t N>
void CopyWide(const std::string& utf8, WCHAR (&field)[N]) {
    const std::wstring wide = Widen(utf8);
    std::size_t n = std::min(wide.size(), N - 1);
    if (n < wide.size() && n > 0 && IS_HIGH_SURROGATE(wide[n - 1])) --n;
    std::copy_n(wide.begin(), n, field);
    field[n] = L'\0';
}
}  // namespace

NOTIFYICONDATAW ToNotifyIconDataW(const NotifyIconData& data) {
    NOTIFYICONDATAW n{};
    n.cbSize = sizeof n;
    n.hWnd = reinterpret_cast<HWND>(data.hWnd);
    n.uID = data.uID;
    n.uFlags = data.uFlags;
    n.uCallbackMessage = data.uCallbackMessage;
    n.hIcon = reinterpret_cast<HICON>(data.hIcon);
    CopyWide(data.szTip, n.szTip);
    return n;
}

Win32NotifyShell::~Win32NotifyShell() = default;

bool Win32NotifyShell::Add(const NotifyIconData& data) {
    Drop(data);
    NOTIFYICONDATAW n = ToNotifyIconDataW(data);
    return Shell_NotifyIconW(NIM_ADD, &n) != FALSE;
}

void Win32NotifyShell::Modify(const NotifyIconData& data) {
    Drop(data);  // a newer change replaces the waiting one
    // The icon stays the caller's: it lives until the icon's next change or
    // removal, which replaces or drops this one.
    pending_.push_back(ToNotifyIconDataW(data));
    // A timer's message comes after any paint that is due: the window shows
    // its face before the icons follow.
    if (!flushTimer_) flushTimer_ = std::make_unique<Win32TrayTimer>(USER_TIMER_MINIMUM, [this] { Flush(); });
    flushTimer_->SetEnabled(true);
}

void Win32NotifyShell::Delete(const NotifyIconData& data) {
    Drop(data);
    NOTIFYICONDATAW n = ToNotifyIconDataW(data);
    if (!Shell_NotifyIconW(NIM_DELETE, &n)) TraceLastError("Shell_NotifyIconW(NIM_DELETE)");
}

void Win32NotifyShell::Send(NOTIFYICONDATAW& n) {
    if (!Shell_NotifyIconW(NIM_MODIFY, &n)) TraceLastError("Shell_NotifyIconW(NIM_MODIFY)");
}

void Win32NotifyShell::Flush() {
    if (flushTimer_) flushTimer_->SetEnabled(false);
    std::vector<NOTIFYICONDATAW> due;
    due.swap(pending_);
    for (NOTIFYICONDATAW& n : due) Send(n);  // the shell keeps a copy of each icon
}

void Win32NotifyShell::Drop(const NotifyIconData& data) {
    std::erase_if(pending_, [&](const NOTIFYICONDATAW& n) {
        return n.hWnd == reinterpret_cast<HWND>(data.hWnd) && n.uID == data.uID;
    });
}

ScreenPoint Win32NotifyShell::CursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

std::unique_ptr<HiddenWindow> Win32NotifyShell::CreateHiddenWindow(WindowProc proc) {
    if (!broadcasts_) broadcasts_ = std::make_shared<TrayBroadcasts>(TaskbarCreatedMessage());
    return std::make_unique<Win32TrayWindow>(std::move(proc), broadcasts_);
}

void Win32NotifyShell::HearBroadcastsThrough(Win32Application& application) {
    if (!broadcasts_) broadcasts_ = std::make_shared<TrayBroadcasts>(TaskbarCreatedMessage());
    broadcasts_->ListenedElsewhere();
    application.SetBroadcastHandler(TaskbarCreatedMessage(), [b = broadcasts_](UINT m, WPARAM w, LPARAM l) {
        b->Listen(m, w, l);
    });
}

std::unique_ptr<IntervalTimer> Win32NotifyShell::CreateTimer(std::int32_t interval, std::function<void()> onTick) {
    return std::make_unique<Win32TrayTimer>(interval, std::move(onTick));
}

int Win32NotifyShell::IconSize() { return MetricForDpi(SM_CXSMICON, TaskbarDpi()); }

// The tray's windows are Unicode ones: the name comes as a wide string.
bool Win32NotifyShell::IsColourSetChange(std::intptr_t lParam) {
    return lParam && lstrcmpW(reinterpret_cast<LPCWSTR>(lParam), L"ImmersiveColorSet") == 0;
}

void Win32NotifyShell::ShowBalloon(WindowId hWnd, std::uint32_t uID, const std::string& title,
                                   const std::string& text) {
    // Without NIIF_RESPECT_QUIET_TIME: Windows would drop the first run's
    // balloon in a new account's first hour.
    NOTIFYICONDATAW n{};
    n.cbSize = sizeof n;
    n.hWnd = reinterpret_cast<HWND>(hWnd);
    n.uID = uID;
    n.uFlags = NIF_INFO;
    n.dwInfoFlags = NIIF_INFO;
    CopyWide(title, n.szInfoTitle);
    CopyWide(text, n.szInfo);
    if (!Shell_NotifyIconW(NIM_MODIFY, &n)) TraceLastError("Shell_NotifyIconW(NIF_INFO)");
}

std::optional<ScreenRect> Win32NotifyShell::IconRect(WindowId hWnd, std::uint32_t uID) {
    using GetRectFn = HRESULT(WINAPI*)(const NOTIFYICONIDENTIFIER*, RECT*);
    static const auto getRect = SystemFunction<GetRectFn>("shell32.dll", "Shell_NotifyIconGetRect");
    if (!getRect) return std::nullopt;
    NOTIFYICONIDENTIFIER id{};
    id.cbSize = sizeof id;
    id.hWnd = reinterpret_cast<HWND>(hWnd);
    id.uID = uID;
    RECT r{};
    if (FAILED(getRect(&id, &r)) || r.right <= r.left || r.bottom <= r.top) return std::nullopt;
    // Only a place on the taskbar itself says how the icons read side by side.
    RECT taskbar{};
    const HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (!tray || !GetWindowRect(tray, &taskbar) || !PtInRect(&taskbar, centre)) return std::nullopt;
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

std::uint32_t Win32NotifyShell::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

}  // namespace kavelo::win32
