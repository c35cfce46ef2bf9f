#include "platform/win32/application_win32.h"

#include "platform/win32/error_box_win32.h"
#include "platform/win32/system_function_win32.h"
#include "platform/win32/tray_window_win32.h"
#include "platform/win32/window_icon_win32.h"

namespace kavelo::win32 {

namespace {
constexpr wchar_t kClassName[] = L"TApplication";
// Posted to itself on activation: the gauge window is activated once the
// activation of the application window has run its course.
constexpr UINT kActivateMain = WM_APP + 1;

// Kavelo takes no text but the digits of its number fields: its thread needs
// no input method. Turned off before the first window, the system makes no
// input-method window for it, and the gauge's first activation is quicker.
void DisableInputMethod() {
    if (const auto disable = SystemFunction<BOOL(WINAPI*)(DWORD)>("imm32.dll", "ImmDisableIME"))
        disable(0);  // 0: this thread
}

}  // namespace

Win32Application::Win32Application(const std::string& title) : title_(title) {
    DisableInputMethod();
    // Zero-sized in the middle of the screen: it has a caption and a system
    // menu for its taskbar entry, but nothing of it is ever drawn.
    const std::wstring caption = Widen(title_);
    CreateWindowFor({.className = kClassName,
                     .title = caption.c_str(),
                     .style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                     .x = GetSystemMetrics(SM_CXSCREEN) / 2,
                     .y = GetSystemMetrics(SM_CYSCREEN) / 2});
    icon_ = std::make_unique<WindowIcon>(Handle());
    SetApplicationTitle(title_);
}

Win32Application::~Win32Application() {
    icon_.reset();
    DestroyWindowNow();
}

int Win32Application::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void Win32Application::SetTitle(const std::string& title) {
    if (title == title_) return;  // set at every refresh
    title_ = title;
    SetWindowTextW(Handle(), Widen(title).c_str());
    SetApplicationTitle(title);
}

void Win32Application::HideTaskbarEntry() { ShowWindow(Handle(), SW_HIDE); }

void Win32Application::RestoreTaskbarEntry() { ShowWindow(Handle(), SW_RESTORE); }

void Win32Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave it for the message loop, which ends the program.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32Application::ShowInformation(const std::string& text) {
    // No owner: the box is centred on the screen, and task-modal, so that
    // every window of the program waits for it while timers and power
    // notifications go on being handled.
    MessageBoxW(nullptr, Widen(text).c_str(), L"Information", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

void Win32Application::ShowError(const std::string& message) { ShowErrorBox(message); }

void Win32Application::SetBroadcastHandler(UINT taskbarCreated, std::function<void(UINT, WPARAM, LPARAM)> handler) {
    AllowMessageFromLowerIntegrity(Handle(), taskbarCreated);
    broadcasts_ = std::move(handler);
}

LRESULT Win32Application::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (broadcasts_) broadcasts_(message, wParam, lParam);
    switch (message) {
    case WM_ACTIVATE:
        // Activated through its taskbar entry: hand the activation on to the
        // window the user sees.
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) PostMessageW(Handle(), kActivateMain, 0, 0);
        return 0;
    case kActivateMain:
        ActivateMainWindow();
        return 0;
    case WM_CLOSE:
        // "Close" on the taskbar entry ends the program the orderly way.
        if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
        return 0;
    case WM_GETMINMAXINFO: {
        auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
        mmi->ptMinTrackSize = POINT{0, 0};
        return 0;
    }
    case WM_TIMER:
        if (icon_ && icon_->OnTimer(wParam)) return 0;
        return DefaultProc(message, wParam, lParam);
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

void Win32Application::ActivateMainWindow() {
    if (GetForegroundWindow() != Handle() && GetActiveWindow() != Handle()) return;
    HWND target = GetLastActivePopup(Handle());
    if (target == Handle()) target = main_;
    if (!target) return;
    // A modal dialog over the gauge window (it is owned by the gauge window,
    // which it disables) takes precedence over it.
    const HWND popup = GetLastActivePopup(target);
    if (popup && IsWindowVisible(popup) && IsWindowEnabled(popup)) target = popup;
    if (IsWindowVisible(target) && IsWindowEnabled(target)) SetForegroundWindow(target);
}

}  // namespace kavelo::win32
