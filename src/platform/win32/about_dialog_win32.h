#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <type_traits>
#include <string>

#include "app/about_box.h"
#include "core/gauge_state.h"
#include "platform/about_dialog.h"
#include "platform/win32/spin_edit_win32.h"

namespace kavelo::win32 {

// Opens the about and options dialog over `owner` (may be null), runs it
// modally and destroys it, however it ends. Every change reaches `state`
// (and the gauge, through `host`) while the dialog is open.
void RunAboutBox(HWND owner, GaugeState& state, AboutBoxHost& host);

// The dialog window made from the IDD_ABOUTBOX template, every control at
// its pixel position. Created hidden, already filled (FormCreate has run).
class AboutDialogWin32 final : public AboutDialog {
public:
    AboutDialogWin32(HWND owner, GaugeState& state, AboutBoxHost& host);
    ~AboutDialogWin32() override;
    AboutDialogWin32(const AboutDialogWin32&) = delete;
    AboutDialogWin32& operator=(const AboutDialogWin32&) = delete;

    HWND Handle() const { return window_.get(); }
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
    bool CheckBoxChecked() const override;
    void SetCheckBoxChecked(bool checked) override;
    bool Confirm(const std::string& question) override;
    void Close() override;

private:
    struct WindowCloser {
        void operator()(HWND hwnd) const { DestroyWindow(hwnd); }
    };
    struct IconCloser {
        void operator()(HICON icon) const { DestroyIcon(icon); }
    };

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void SetUpControls();
    void PlaceControls();
    void OnCommand(int id, int code);
    void DrawImage(const DRAWITEMSTRUCT& item) const;
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    SpinEditWin32& Spin(SpinEditId id) { return id == SpinEditId::SpinEdit1 ? spin1_ : spin2_; }
    const SpinEditWin32& Spin(SpinEditId id) const { return id == SpinEditId::SpinEdit1 ? spin1_ : spin2_; }

    HWND owner_;
    TAboutBox box_;
    std::unique_ptr<std::remove_pointer_t<HICON>, IconCloser> icon_;
    SpinEditWin32 spin1_;
    SpinEditWin32 spin2_;
    HWND hwnd_ = nullptr;
    bool ready_ = false;  // the controls report to the logic only once laid out
    bool closing_ = false;
    std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser> window_;  // destroyed first
};

}  // namespace kavelo::win32
