#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace kavelo::win32 {

// The window side of a spin edit: a one-line edit field and an up-down
// control whose two buttons lie inside the field's right end. The field
// refuses characters the value rules don't take (with a beep), turns the Up
// and Down keys and the buttons into steps, and reports when the focus
// leaves it for another control of its dialog. What a step or a departure
// does to the value is the caller's business.
class SpinEditWin32 {
public:
    using StepHandler = std::function<void(int direction)>;  // +1 up, -1 down
    using ExitHandler = std::function<void()>;

    SpinEditWin32() = default;
    ~SpinEditWin32();
    SpinEditWin32(const SpinEditWin32&) = delete;
    SpinEditWin32& operator=(const SpinEditWin32&) = delete;

    void Attach(HWND edit, HWND buttons, StepHandler onStep, ExitHandler onExit);
    // Places the field and its buttons (the buttons' width is `buttonsWidth`).
    void Place(int x, int y, int width, int height, int buttonsWidth);

    HWND Edit() const { return edit_; }
    HWND Buttons() const { return buttons_; }
    std::string Text() const;
    // Sets the text when it differs from the one shown, which makes the edit
    // report a change to its dialog.
    void SetText(const std::string& text);
    bool HasFocus() const { return edit_ && GetFocus() == edit_; }

    // UDN_DELTAPOS from the buttons, forwarded by the dialog. The up-down
    // keeps no position of its own: true tells it not to change it.
    bool OnDeltaPos(const NMHDR& header);

private:
    static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnEditMessage(UINT msg, WPARAM wp, LPARAM lp);
    void Detach();

    HWND edit_ = nullptr;
    HWND buttons_ = nullptr;
    StepHandler onStep_;
    ExitHandler onExit_;
};

}  // namespace kavelo::win32
