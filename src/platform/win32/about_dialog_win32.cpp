#include "platform/win32/about_dialog_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/win32/about_dialog_ids.h"
#include "platform/win32/about_dialog_layout.h"
#include "platform/win32/confirm_box_win32.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/error_box_win32.h"
#include "platform/win32/last_error_win32.h"

namespace kavelo::win32 {

using namespace about_layout;

namespace {

int TextWidth(HDC dc, const std::wstring& text, size_t length) {
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(length), &extent);
    return extent.cx;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Where a sentence's end starts: after its last run of spaces.
size_t EndOf(const std::wstring& sentence) { return sentence.find_last_of(L' ') + 1; }

}  // namespace

AboutDialogWin32::AboutDialogWin32(HWND owner) : owner_(owner) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    CreateDialogFor(IDD_ABOUTBOX, "IDD_ABOUTBOX", owner);
    LoadProgramIcon();
}

AboutDialogWin32::~AboutDialogWin32() {
    events_ = nullptr;  // nothing reaches the logic while the controls go
    DestroyWindowNow();
}

void AboutDialogWin32::Connect(AboutDialogEvents& events) {
    events_ = &events;
    events.FormCreate();
}

void AboutDialogWin32::LoadProgramIcon() {
    icon_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                              Scaled(kIconSize), Scaled(kIconSize), LR_DEFAULTCOLOR)));
    if (!icon_) TraceLastError("LoadImageW(MAINICON)");
}

INT_PTR AboutDialogWin32::OnDpiChanged(UINT dpi, const RECT& suggested, WPARAM, LPARAM) {
    dpi_ = dpi;
    LOGFONTW lf = templateFont_;
    lf.lfHeight = MulDiv(lf.lfHeight, static_cast<int>(dpi), static_cast<int>(templateDpi_));
    UniqueFont font(CreateFontIndirectW(&lf));
    if (!font) ThrowLastError("CreateFontIndirectW");
    const auto wp = reinterpret_cast<WPARAM>(font.get());
    SendMessageW(Handle(), WM_SETFONT, wp, FALSE);
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, wp, FALSE);
    font_ = std::move(font);  // the one it replaces is no longer selected anywhere
    LoadProgramIcon();
    SendMessageW(Item(IDC_TRACKBAR1), TBM_SETTHUMBLENGTH, static_cast<WPARAM>(Scaled(kThumbLength)), 0);
    PlaceControls(&suggested);
    InvalidateRect(Handle(), nullptr, TRUE);
    return TRUE;
}

INT_PTR AboutDialogWin32::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG:
        dpi_ = templateDpi_ = WindowDpi(Handle());
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)), sizeof templateFont_,
                   &templateFont_);
        TakeOverDialogDpiChanges(Handle());
        SetUpControls();
        PlaceControls();
        return FALSE;  // the focus is given when the dialog is shown
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp));
        return TRUE;
    case WM_HSCROLL:
        // Every move of the thumb; the end of a drag or of a key press is
        // no move.
        if (events_ && reinterpret_cast<HWND>(lp) == Item(IDC_TRACKBAR1) && LOWORD(wp) != TB_ENDTRACK)
            events_->TrackBar1Change();
        return TRUE;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lp);
        if (header.code != UDN_DELTAPOS) return FALSE;
        bool handled = false;
        for (SpinEditWin32& spin : spins_)
            if (header.hwndFrom == spin.Buttons()) handled = events_ ? spin.OnDeltaPos(header) : true;
        SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, handled ? TRUE : FALSE);
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (item.CtlID == IDC_IMAGE1 || item.CtlID == IDC_IMAGE2) {
            DrawImage(item);
            return TRUE;
        }
        for (const SpinEditRow& row : kSpinEdits) {
            if (static_cast<int>(item.CtlID) != row.labelId) continue;
            DrawSentence(item, sentenceEnds_[static_cast<size_t>(row.field)]);
            return TRUE;
        }
        return FALSE;
    }
    case WM_CLOSE:
        Close();
        return TRUE;
    default:
        return FALSE;
    }
}

void AboutDialogWin32::SetUpControls() {
    const HWND track = Item(IDC_TRACKBAR1);
    SendMessageW(track, TBM_SETRANGEMIN, FALSE, kTrackBarMin);
    SendMessageW(track, TBM_SETRANGEMAX, TRUE, kTrackBarMax);
    SendMessageW(track, TBM_SETLINESIZE, 0, 2);  // an arrow key moves the thumb by 2
    SendMessageW(track, TBM_SETPAGESIZE, 0, 1);
    SendMessageW(track, TBM_SETTICFREQ, 1, 0);
    SendMessageW(track, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(Scaled(kThumbLength)), 0);

    for (const SpinEditRow& row : kSpinEdits) {
        const SpinEditId id = row.field;
        Spin(id).Attach(
            Item(row.editId), Item(row.buttonsId),
            [this, id](int direction) {
                if (events_) Guarded([&] { events_->SpinEditStep(id, direction); });
            },
            [this, id] {
                if (events_) Guarded([&] { events_->SpinEditExit(id); });
            });
    }
}

// A sentence's spin edit stands in its column, or a little after the words
// before it where they run into the column (a font that grows more than the
// layout, a sentence that starts after a check box). The label keeps its
// text and draws it as a plain label would when its run of spaces puts the
// end far enough past the field; otherwise it draws the end there itself:
// text drawn in one go may come out narrower than measured (Wine's font at
// 150 %, by some 4 %), and more spaces could still leave the end under the
// field.
int AboutDialogWin32::PlaceSentence(HDC dc, const SpinEditRow& s, int textHeight) {
    const HWND label = Item(s.labelId);
    const std::wstring text = WindowText(label);
    const size_t end = EndOf(text);
    const int left = Scaled(s.labelX);
    const int wordsRight = left + TextWidth(dc, text, text.find_last_not_of(L' ', end - 1) + 1);
    const int fieldLeft = wordsRight > Scaled(s.fieldX) ? wordsRight + Scaled(kFieldMargin) : Scaled(s.fieldX);
    Spin(s.field).Place(fieldLeft, Scaled(s.fieldY), Scaled(kSpinEditWidth), Scaled(kSpinEditHeight),
                        Scaled(kSpinButtonsWidth));
    const int endX = std::max(TextWidth(dc, text, end), fieldLeft + Scaled(kSpinEditWidth + kEndMargin) - left);
    sentenceEnds_[static_cast<size_t>(s.field)] = endX;
    const int width = endX + TextWidth(dc, text.substr(end), text.size() - end);
    SetWindowPos(label, nullptr, left, Scaled(s.labelY), width, textHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(label, nullptr, TRUE);
    return left + width;
}

void AboutDialogWin32::DrawSentence(const DRAWITEMSTRUCT& item, int endX) const {
    // In the colours the dialog gives its static controls.
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(item.hDC), reinterpret_cast<LPARAM>(item.hwndItem)));
    FillRect(item.hDC, &item.rcItem, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(item.hDC, TRANSPARENT);
    const ScopedSelect font(item.hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    const std::wstring text = WindowText(item.hwndItem);
    const size_t end = EndOf(text);
    SIZE spaced{};  // where the spaces put the end: drawn in one go, as a plain label draws it
    GetTextExtentPoint32W(item.hDC, text.c_str(), static_cast<int>(end), &spaced);
    const size_t first = spaced.cx == endX ? text.size() : end;
    TextOutW(item.hDC, 0, 0, text.c_str(), static_cast<int>(first));
    if (first < text.size())
        TextOutW(item.hDC, endX, 0, text.c_str() + end, static_cast<int>(text.size() - end));
}

void AboutDialogWin32::PlaceControls(const RECT* suggested) {
    const WindowDc windowDc(Handle());
    const HDC dc = windowDc.get();
    const ScopedSelect font(dc, font_ ? font_.get()
                                      : reinterpret_cast<HGDIOBJ>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const auto place = [&](const Placement& p) {
        const HWND control = Item(p.id);
        int width = Scaled(p.width);
        int height = Scaled(p.height);
        if (p.width == 0) {
            const std::wstring text = WindowText(control);
            width = TextWidth(dc, text, text.size());
            height = metrics.tmHeight;
        }
        SetWindowPos(control, nullptr, Scaled(p.x), Scaled(p.y), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    for (const Placement& p : kPlacements) place(p);
    for (const CheckBoxRow& row : kCheckBoxes) place(row.at);
    // The client area is wide enough for the longest sentence.
    int clientWidth = Scaled(kClientWidth);
    for (const SpinEditRow& row : kSpinEdits)
        clientWidth = std::max(clientWidth, PlaceSentence(dc, row, metrics.tmHeight) + Scaled(kRightMargin));

    RECT frame{0, 0, clientWidth, Scaled(kClientHeight)};
    AdjustRectForDpi(frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)),
                     static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), dpi_);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = suggested ? suggested->left : (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = suggested ? suggested->top : (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the frame did not come out as the DPI's metrics say (Wine keeps
    // one DPI for frames), the client area is brought to its size anyway.
    RECT client{};
    GetClientRect(Handle(), &client);
    const int dw = clientWidth - client.right, dh = Scaled(kClientHeight) - client.bottom;
    if (dw || dh)
        SetWindowPos(Handle(), nullptr, 0, 0, width + dw, height + dh, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutDialogWin32::OnCommand(int id, int code) {
    if (!events_) return;
    if (code == BN_CLICKED && (id == IDOK || id == IDCANCEL)) return Close();  // IDCANCEL: Escape, the close box
    if (code == BN_CLICKED && id == IDC_BUTTON1) return events_->Button1Click();
    for (const SpinEditRow& row : kSpinEdits)
        if (code == EN_CHANGE && id == row.editId) return events_->SpinEditChange(row.field);
    for (const CheckBoxRow& row : kCheckBoxes)
        if (code == BN_CLICKED && id == row.at.id) return events_->CheckBoxClick(row.box);
}

void AboutDialogWin32::DrawImage(const DRAWITEMSTRUCT& item) const {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    // The icon at its own size from the top-left corner; the frame, narrower
    // than the icon, shows its left part.
    if (icon_)
        DrawIconEx(item.hDC, 0, 0, icon_.get(), Scaled(kIconSize), Scaled(kIconSize), 0, nullptr, DI_NORMAL);
}

void AboutDialogWin32::Show() {
    ShowWindow(Handle(), SW_SHOW);
    SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_TRACKBAR1)), TRUE);
}

void AboutDialogWin32::RunModal() {
    // The owner is disabled for the run and enabled again before the dialog
    // disappears, so that the activation goes back to it.
    struct OwnerDisabled {
        HWND owner;
        explicit OwnerDisabled(HWND o) : owner(o && IsWindowEnabled(o) ? o : nullptr) {
            if (owner) EnableWindow(owner, FALSE);
        }
        ~OwnerDisabled() {
            if (owner) EnableWindow(owner, TRUE);
        }
    };
    {
        OwnerDisabled disabled(owner_);
        Show();
        MSG msg;
        while (!closing_) {
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (got < 0) break;
            ProcessMessage(msg);
        }
        if (events_) Guarded([this] { events_->FormClose(); });
    }
    ShowWindow(Handle(), SW_HIDE);
}

void AboutDialogWin32::ProcessMessage(MSG& msg) {
    if (msg.message == WM_CHAR && (msg.hwnd == Handle() || IsChild(Handle(), msg.hwnd))) {
        bool taken = false;
        if (events_) Guarded([&] { taken = events_->FormKeyPress(static_cast<char32_t>(msg.wParam)); });
        if (taken) return;
    }
    if (IsDialogMessageW(Handle(), &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void AboutDialogWin32::SetTrackBarPosition(int32_t position) {
    const int32_t shown = std::clamp(position, kTrackBarMin, kTrackBarMax);
    SendMessageW(Item(IDC_TRACKBAR1), TBM_SETPOS, TRUE, shown);
}

int32_t AboutDialogWin32::TrackBarPosition() const {
    return static_cast<int32_t>(SendMessageW(Item(IDC_TRACKBAR1), TBM_GETPOS, 0, 0));
}

std::string AboutDialogWin32::SpinEditText(SpinEditId id) const { return Spin(id).Text(); }

void AboutDialogWin32::SetSpinEditText(SpinEditId id, const std::string& text) { Spin(id).SetText(text); }

std::optional<SpinEditId> AboutDialogWin32::FocusedSpinEdit() const {
    for (const SpinEditRow& row : kSpinEdits)
        if (Spin(row.field).HasFocus()) return row.field;
    return std::nullopt;
}

HWND AboutDialogWin32::CheckBox(CheckBoxId id) const {
    return Item(kCheckBoxes[static_cast<size_t>(id)].at.id);
}

bool AboutDialogWin32::CheckBoxChecked(CheckBoxId id) const {
    return SendMessageW(CheckBox(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void AboutDialogWin32::SetCheckBoxChecked(CheckBoxId id, bool checked) {
    SendMessageW(CheckBox(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool AboutDialogWin32::Confirm(const std::string& question) { return ShowConfirmBox(Handle(), question); }

void AboutDialogWin32::Close() {
    if (closing_) return;
    closing_ = true;
    if (Handle()) PostMessageW(Handle(), WM_NULL, 0, 0);  // wakes the modal loop
}

}  // namespace kavelo::win32
