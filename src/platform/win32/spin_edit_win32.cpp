#include "platform/win32/spin_edit_win32.h"

#include <commctrl.h>

#include "platform/about_dialog.h"
#include "platform/win32/error_box_win32.h"

namespace kavelo::win32 {

namespace {

char32_t DecimalSeparator() {
    wchar_t buffer[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 1) return buffer[0];
    return U'.';
}

}  // namespace

SpinEditWin32::~SpinEditWin32() { Detach(); }

void SpinEditWin32::Attach(HWND edit, HWND buttons, StepHandler onStep, ExitHandler onExit) {
    Detach();
    edit_ = edit;
    buttons_ = buttons;
    onStep_ = std::move(onStep);
    onExit_ = std::move(onExit);
    // A range with room on both sides of the position: every click asks
    // for a step, and the field decides what it means.
    SendMessageW(buttons_, UDM_SETRANGE32, 0, 2);
    SendMessageW(buttons_, UDM_SETPOS32, 0, 1);
    SendMessageW(buttons_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
    SetWindowSubclass(edit_, EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void SpinEditWin32::Detach() {
    if (edit_ && IsWindow(edit_)) RemoveWindowSubclass(edit_, EditProc, 1);
    edit_ = nullptr;
    buttons_ = nullptr;
}

void SpinEditWin32::Place(int x, int y, int width, int height, int buttonsWidth) {
    SetWindowPos(edit_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(edit_, &client);
    POINT origin{0, 0};
    MapWindowPoints(edit_, GetParent(edit_), &origin, 1);
    // The buttons fill the right end of the field's client area, inside its
    // sunken border, and the text stops short of them.
    SetWindowPos(buttons_, nullptr, origin.x + client.right - buttonsWidth, origin.y, buttonsWidth,
                 client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(edit_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, buttonsWidth + 1));
}

std::string SpinEditWin32::Text() const {
    const int n = GetWindowTextLengthW(edit_);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit_, text.data(), n + 1)));
    return Narrow(text);
}

void SpinEditWin32::SetText(const std::string& text) {
    if (Text() == text) return;
    SetWindowTextW(edit_, Widen(text).c_str());
    const int end = GetWindowTextLengthW(edit_);
    SendMessageW(edit_, EM_SETSEL, end, end);
}

bool SpinEditWin32::OnDeltaPos(const NMHDR& header) {
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    if (change.iDelta != 0 && onStep_) onStep_(change.iDelta > 0 ? 1 : -1);
    return true;
}

LRESULT CALLBACK SpinEditWin32::EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR self) {
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, EditProc, id);
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    return reinterpret_cast<SpinEditWin32*>(self)->OnEditMessage(msg, wp, lp);
}

LRESULT SpinEditWin32::OnEditMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CHAR:
        if (!SpinEditAcceptsKey(static_cast<char32_t>(wp), DecimalSeparator())) {
            MessageBeep(0);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (wp == VK_UP || wp == VK_DOWN) {
            if (onStep_) onStep_(wp == VK_UP ? 1 : -1);
            return 0;
        }
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = DefSubclassProc(edit_, msg, wp, lp);
        const HWND next = reinterpret_cast<HWND>(wp);
        // Only a move to another control of the dialog counts as leaving
        // the field; switching to another program does not.
        if (next && next != buttons_ && IsChild(GetParent(edit_), next) && onExit_) onExit_();
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(edit_, msg, wp, lp);
}

}  // namespace kavelo::win32
