#include "platform/win32/dialog_window_win32.h"

#include <algorithm>
#include <utility>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/last_error_win32.h"
#include "platform/win32/system_function_win32.h"

namespace kavelo::win32 {

namespace {

// Marks the dialogs whose keyboard the hook hands to IsDialogMessage.
constexpr wchar_t kModelessProp[] = L"KaveloModelessDialog";

// An empty dialog template: no menu, the dialog class, the caption.
std::vector<WORD> Template(const std::wstring& caption) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 2, 0);
    auto* t = reinterpret_cast<DLGTEMPLATE*>(words.data());
    t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    for (wchar_t c : caption) words.push_back(static_cast<WORD>(c));
    words.push_back(0);
    return words;
}

// The message font at `dpi`.
LOGFONTW MessageFont(UINT dpi) {
    using ForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto forDpi = SystemFunction<ForDpi>("user32.dll", "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) return metrics.lfMessageFont;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
    return metrics.lfMessageFont;
}

}  // namespace

DialogWindow::~DialogWindow() {
    destroying_ = true;  // the derived object is gone: its handlers are not called
    hook_.reset();
    DestroyWindowNow();  // before the font its controls still use
}

void DialogWindow::CreateDialogWindow(HWND owner, const std::wstring& caption, int clientWidth, int clientHeight) {
    owner_ = owner;
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    const std::vector<WORD> words = Template(caption);
    if (!CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()),
                                    owner, &MessageTarget<DialogKind>::Procedure,
                                    reinterpret_cast<LPARAM>(static_cast<MessageTarget<DialogKind>*>(this))))
        ThrowLastError("CreateDialogIndirectParamW");
    TakeOverDialogDpiChanges(Handle());
    // Put on the pointer's monitor first, so that the DPI is that monitor's.
    POINT pointer{};
    GetCursorPos(&pointer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(Handle(), nullptr, (work.left + work.right) / 2, (work.top + work.bottom) / 2, 1, 1,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    dpi_ = WindowDpi(Handle());
    SetFontForDpi();
}

void DialogWindow::SetFontForDpi() {
    const LOGFONTW lf = MessageFont(dpi_);
    UniqueFont font(CreateFontIndirectW(&lf));
    if (!font) ThrowLastError("CreateFontIndirectW");
    const auto wp = reinterpret_cast<WPARAM>(font.get());
    SendMessageW(Handle(), WM_SETFONT, wp, FALSE);
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, wp, FALSE);
    font_ = std::move(font);  // the one it replaces is no longer in use
}

HWND DialogWindow::AddControl(const Control& c) {
    const HWND control = CreateWindowExW(0, c.className, c.text.c_str(), WS_CHILD | WS_VISIBLE | c.style,
                                         Scaled(c.x), Scaled(c.y), Scaled(c.width), Scaled(c.height), Handle(),
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                         GetModuleHandleW(nullptr), nullptr);
    if (!control) ThrowLastError("CreateWindowExW(control)");
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    controls_.push_back(c);
    return control;
}

void DialogWindow::Layout(const RECT* suggested) {
    for (const Control& c : controls_)
        SetWindowPos(Item(c.id), nullptr, Scaled(c.x), Scaled(c.y), Scaled(c.width), Scaled(c.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    const int clientWidth = Scaled(clientWidth_), clientHeight = Scaled(clientHeight_);
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustRectForDpi(frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)),
                     static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), dpi_);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    // Larger than the work area, it shows its caption and left part.
    const int left = suggested ? suggested->left : std::max<int>(work.left, (work.left + work.right - width) / 2);
    const int top = suggested ? suggested->top : std::max<int>(work.top, (work.top + work.bottom - height) / 2);
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the frame did not come out as the DPI's metrics say (Wine keeps
    // one DPI for frames), the client area is brought to its size anyway.
    RECT client{};
    GetClientRect(Handle(), &client);
    width += clientWidth - client.right;
    height += clientHeight - client.bottom;
    if (client.right != clientWidth || client.bottom != clientHeight)
        SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR DialogWindow::OnDpiChanged(UINT dpi, const RECT& suggested, WPARAM, LPARAM) {
    dpi_ = dpi;
    SetFontForDpi();
    Layout(&suggested);
    OnNewDpi();
    InvalidateRect(Handle(), nullptr, TRUE);
    return TRUE;
}

INT_PTR DialogWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (destroying_) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        return FALSE;  // the focus is given when the dialog is shown
    case WM_COMMAND:
        if (LOWORD(wParam) != IDCANCEL) break;
        OnClose();  // may have destroyed the object
        return TRUE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    default:
        break;
    }
    return OnDialogMessage(message, wParam, lParam);
}

void DialogWindow::Show() {
    if (!modal_ && !hook_) {
        SetPropW(Handle(), kModelessProp, Handle());
        hook_.reset(SetWindowsHookExW(WH_GETMESSAGE, &KeyboardHook, nullptr, GetCurrentThreadId()));
    }
    ShowWindow(Handle(), SW_SHOW);
    SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetNextDlgTabItem(Handle(), nullptr, FALSE)),
                 TRUE);
}

void DialogWindow::BringToFront() {
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(Handle());
}

// The program's message loops know nothing of this dialog: its keyboard
// messages are handed to IsDialogMessage here, on their way out of the
// queue, and those it takes become WM_NULL.
LRESULT CALLBACK DialogWindow::KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
        const HWND root = GetAncestor(msg->hwnd, GA_ROOT);
        if (root && GetPropW(root, kModelessProp) && IsDialogMessageW(root, msg)) msg->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogWindow::RunModal() {
    // The owner is enabled again before the dialog disappears, so that the
    // activation goes back to it.
    const HWND owner = owner_ && IsWindowEnabled(owner_) ? owner_ : nullptr;
    if (owner) EnableWindow(owner, FALSE);
    modal_ = true;
    modalDone_ = false;
    Show();
    MSG msg;
    while (!modalDone_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        if (IsDialogMessageW(Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    modal_ = false;
    if (owner) EnableWindow(owner, TRUE);
    ShowWindow(Handle(), SW_HIDE);
}

void DialogWindow::EndModal() {
    modalDone_ = true;
    PostMessageW(Handle(), WM_NULL, 0, 0);  // wakes the loop
}

}  // namespace kavelo::win32
