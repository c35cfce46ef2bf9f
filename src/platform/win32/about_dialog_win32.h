#pragma once
#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "platform/about_dialog.h"
#include "platform/about_dialog_events.h"
#include "platform/win32/about_dialog_layout.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/spin_edit_win32.h"
#include "platform/win32/window_thunk_win32.h"

namespace kavelo::win32 {

// The dialog window made from the IDD_ABOUTBOX template, every control at
// its pixel position (about_dialog_layout.h), over `owner` (may be null).
// Created hidden; its controls report to the application once connected.
// Typical use: make the window, the logic over it, Connect, RunModal.
class AboutDialogWin32 final : public AboutDialog, public MessageTarget<DialogKind> {
public:
    explicit AboutDialogWin32(HWND owner);
    ~AboutDialogWin32() override;
    // From now on the controls report to `events`, which fills them
    // (FormCreate) before this returns.
    void Connect(AboutDialogEvents& events);
    // Shows the dialog and gives the focus to its first control.
    void Show();
    // Shows the dialog and runs its modal loop until it closes, the owner
    // disabled meanwhile. A WM_QUIT ends the run and is posted again.
    void RunModal();
    // One message of the modal loop: a typed character reaches the form
    // before the control that has the focus.
    void ProcessMessage(MSG& msg);
    bool Closing() const { return closing_; }

    // AboutDialog
    void SetTrackBarPosition(int32_t position) override;
    int32_t TrackBarPosition() const override;
    std::string SpinEditText(SpinEditId id) const override;
    void SetSpinEditText(SpinEditId id, const std::string& text) override;
    std::optional<SpinEditId> FocusedSpinEdit() const override;
    bool CheckBoxChecked(CheckBoxId id) const override;
    void SetCheckBoxChecked(CheckBoxId id, bool checked) override;
    bool Confirm(const std::string& question) override;
    void Close() override;

private:
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // A new monitor scale: the font, the icon and every control follow it,
    // the dialog moved to the suggested rectangle's top-left corner.
    INT_PTR OnDpiChanged(UINT dpi, const RECT& suggested, WPARAM wp, LPARAM lp) override;
    // Pixels of the 96-DPI layout at the dialog's DPI.
    int Scaled(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), 96); }
    void LoadProgramIcon();
    void SetUpControls();
    void PlaceControls(const RECT* suggested = nullptr);
    // Places one sentence with its spin edit; returns where the line ends.
    int PlaceSentence(HDC dc, const about_layout::SpinEditRow& row, int textHeight);
    void OnCommand(int id, int code);
    void DrawImage(const DRAWITEMSTRUCT& item) const;
    void DrawSentence(const DRAWITEMSTRUCT& item, int endX) const;
    HWND Item(int id) const { return GetDlgItem(Handle(), id); }
    HWND CheckBox(CheckBoxId id) const;
    SpinEditWin32& Spin(SpinEditId id) { return spins_[static_cast<size_t>(id)]; }
    const SpinEditWin32& Spin(SpinEditId id) const { return spins_[static_cast<size_t>(id)]; }

    HWND owner_;
    AboutDialogEvents* events_ = nullptr;  // null until connected and while the controls go
    UINT dpi_ = 96;
    LOGFONTW templateFont_{};  // the dialog's font as made at templateDpi_
    UINT templateDpi_ = 96;
    UniqueFont font_;          // the font at dpi_ once the DPI changed
    UniqueIcon icon_;
    std::array<SpinEditWin32, kSpinEditCount> spins_;
    // Where each sentence's end is drawn, from its label's left.
    std::array<int, kSpinEditCount> sentenceEnds_{};
    bool closing_ = false;
};

}  // namespace kavelo::win32
