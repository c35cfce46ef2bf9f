#pragma once
#include <windows.h>

#include <type_traits>

#include "platform/win32/error_box_win32.h"
#include "platform/win32/handles_win32.h"

namespace kavelo::win32 {

// What a window procedure and a dialog procedure differ in: the message that
// first carries the object, where the object is kept, what "not handled" is.
struct WindowKind {
    using Result = LRESULT;
    static constexpr UINT kAttach = WM_NCCREATE;
    static constexpr int kSlot = GWLP_USERDATA;
    static constexpr Result kAfterError = 0;
    static void* Object(LPARAM lParam) { return reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams; }
    static Result Default(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
};
struct DialogKind {
    using Result = INT_PTR;
    static constexpr UINT kAttach = WM_INITDIALOG;
    static constexpr int kSlot = DWLP_USER;
    static constexpr Result kAfterError = TRUE;  // handled: the error has been shown
    static void* Object(LPARAM lParam) { return reinterpret_cast<void*>(lParam); }
    static Result Default(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
};

// What CreateWindowExW is given for a window of the layer. The class is
// registered on the way (see RegisterWindowClass).
struct WindowOptions {
    const wchar_t* className;
    UINT classStyle = 0;
    DWORD exStyle = 0;
    const wchar_t* title = L"";
    DWORD style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;  // owner of a top-level window, or HWND_MESSAGE
};

// Registers a window class whose windows are routed through
// MessageTarget<WindowKind>::Procedure. A class that exists already is fine;
// any other failure throws with its code.
void RegisterWindowClass(const wchar_t* className, UINT classStyle = 0);

// The creation calls behind MessageTarget; they throw with the call's code.
void CreateRoutedWindow(const WindowOptions& window, void* object);
void CreateRoutedDialog(int templateId, const char* templateName, HWND owner, DLGPROC procedure, void* object);

// The one object behind each window (or dialog) of the layer, and the one
// procedure that routes their messages.
//
// The object is passed with the creation (lpCreateParams, or the dialog's
// init parameter) and kept in the window from WM_NCCREATE (WM_INITDIALOG)
// on; from there every message reaches OnMessage, until WM_NCDESTROY lets
// the object go. The procedure is noexcept: whatever a handler throws is
// shown in the error box once, here, and the message gets Kind::kAfterError.
//
// Messages every window will handle alike pass through a hook of their own
// (Route, below) before OnMessage; today that is WM_DPICHANGED ->
// OnDpiChanged. A window that follows a new dpi overrides it, e.g. moves to
// `suggested` with SetWindowPos and returns 0; a further message of the kind
// (WM_GETDPISCALEDSIZE, ...) gets its own hook in Route.
//
// The window belongs to the object: a derived class whose destruction
// messages matter calls DestroyWindowNow() in its own destructor; otherwise
// the window is destroyed here, after the object has let it go (its last
// messages then go to the default procedure).
template <class Kind>
class MessageTarget {
public:
    using Result = typename Kind::Result;

    MessageTarget(const MessageTarget&) = delete;
    MessageTarget& operator=(const MessageTarget&) = delete;

    HWND Handle() const { return window_.get(); }

    static Result CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        if (message == Kind::kAttach) {
            if (auto* target = static_cast<MessageTarget*>(Kind::Object(lParam))) target->Attach(hwnd);
        }
        auto* self = reinterpret_cast<MessageTarget*>(GetWindowLongPtrW(hwnd, Kind::kSlot));
        if (!self) return Kind::Default(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            self->Detach();
            self->window_.release();  // destroyed already
            return Kind::Default(hwnd, message, wParam, lParam);
        }
        Result result = Kind::kAfterError;
        Guarded([&] { result = self->Route(message, wParam, lParam); });
        return result;
    }

protected:
    MessageTarget() = default;
    virtual ~MessageTarget() {
        Detach();
        window_.reset();
    }

    virtual Result OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // WM_DPICHANGED: the window's new dpi and the window rectangle the system
    // suggests for it. Override to follow the new dpi; by default the
    // message goes on to OnMessage like any other.
    virtual Result OnDpiChanged(UINT /*dpi*/, const RECT& /*suggested*/, WPARAM wParam, LPARAM lParam) {
        return OnMessage(WM_DPICHANGED, wParam, lParam);
    }

    Result DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return Kind::Default(Handle(), message, wParam, lParam);
    }

    // Creates the window of this object; its creation messages already reach it.
    void CreateWindowFor(const WindowOptions& window)
        requires std::is_same_v<Kind, WindowKind>
    {
        CreateRoutedWindow(window, static_cast<MessageTarget*>(this));
    }

    // Creates the modeless dialog of this object from its template.
    void CreateDialogFor(int templateId, const char* templateName, HWND owner)
        requires std::is_same_v<Kind, DialogKind>
    {
        CreateRoutedDialog(templateId, templateName, owner, &Procedure, static_cast<MessageTarget*>(this));
    }

    // Destroys the window while the object still hears its destruction.
    void DestroyWindowNow() { window_.reset(); }

private:
    Result Route(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_DPICHANGED)
            return OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam), wParam, lParam);
        return OnMessage(message, wParam, lParam);
    }
    void Attach(HWND hwnd) {
        window_.reset(hwnd);
        SetWindowLongPtrW(hwnd, Kind::kSlot, reinterpret_cast<LONG_PTR>(this));
    }
    // From here on no message reaches the object.
    void Detach() {
        if (const HWND hwnd = window_.get()) SetWindowLongPtrW(hwnd, Kind::kSlot, 0);
    }

    UniqueWindow window_;
};

}  // namespace kavelo::win32
