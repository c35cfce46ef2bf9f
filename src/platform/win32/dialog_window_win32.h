#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/handles_win32.h"
#include "platform/win32/window_thunk_win32.h"

namespace kavelo::win32 {

// The base of Kavelo's own dialogs, made without a resource template: a
// captioned window over an owner, with standard controls laid out in pixels
// of a 96-DPI layout and placed, with the system's message font, at the DPI
// of the monitor it is on (again at every WM_DPICHANGED). Escape, the close
// box and a button with the id IDCANCEL call OnClose; Tab, the arrow keys
// and mnemonics move between the controls (IsDialogMessage) both in a modal
// run and while the dialog stays open beside the program's other windows.
// The window, its font and its keyboard hook go with the object; a derived
// class that must hear the window's destruction calls DestroyWindowNow() in
// its own destructor.
class DialogWindow : public MessageTarget<DialogKind> {
public:
    ~DialogWindow() override;
    // Shows the dialog without a modal run and gives the focus to its first
    // tab stop.
    void Show();
    // Brings the shown dialog to the front (restored, activated).
    void BringToFront();
    // Shows the dialog and handles messages until EndModal, the owner
    // disabled meanwhile. A WM_QUIT ends the run and is posted again.
    void RunModal();
    UINT Dpi() const { return dpi_; }

protected:
    // One control: its window class, text and style (WS_CHILD and WS_VISIBLE
    // are added), and where it stands in the 96-DPI layout.
    struct Control {
        int id;
        const wchar_t* className;
        std::wstring text;
        DWORD style;
        int x, y, width, height;
    };

    DialogWindow() = default;
    // Creates the hidden dialog over `owner` on the monitor the pointer is
    // on, with a client area of the given 96-DPI size.
    void CreateDialogWindow(HWND owner, const std::wstring& caption, int clientWidth, int clientHeight);
    HWND AddControl(const Control& control);
    // Sizes the dialog and places every control at the dialog's DPI, in the
    // middle of its monitor's work area (or at `suggested`'s corner).
    void Layout(const RECT* suggested = nullptr);
    HWND Item(int id) const { return GetDlgItem(Handle(), id); }
    int Scaled(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), 96); }
    void EndModal();

    // Escape, the close box or IDCANCEL. A modeless dialog's owner may
    // destroy the object here; nothing of it is touched afterwards.
    virtual void OnClose() = 0;
    // Every other message; FALSE when not handled.
    virtual INT_PTR OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // After the controls were placed at a new DPI.
    virtual void OnNewDpi() {}

private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
    INT_PTR OnDpiChanged(UINT dpi, const RECT& suggested, WPARAM wParam, LPARAM lParam) final;
    void SetFontForDpi();
    static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);

    HWND owner_ = nullptr;
    UINT dpi_ = 96;
    int clientWidth_ = 0, clientHeight_ = 0;  // at 96 DPI
    std::vector<Control> controls_;
    UniqueFont font_;
    UniqueHook hook_;  // only while shown without a modal run
    bool modal_ = false;
    bool modalDone_ = false;
    bool destroying_ = false;
};

}  // namespace kavelo::win32
