#include "platform/win32/confirm_box_win32.h"

#include <commctrl.h>

#include "platform/win32/error_box_win32.h"
#include "platform/win32/handles_win32.h"

namespace kavelo::win32 {

namespace {

thread_local HHOOK t_hook = nullptr;

// Escape (IDCANCEL) answers "&Non": a yes/no message box would ignore it.
LRESULT CALLBACK BoxProc(HWND box, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) noexcept {
    if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
        EndDialog(box, IDNO);
        return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(box, BoxProc, id);
    return DefSubclassProc(box, msg, wp, lp);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp) noexcept {
    if (code == HCBT_ACTIVATE) {
        const HWND box = reinterpret_cast<HWND>(wp);
        const HWND yes = GetDlgItem(box, IDYES);
        const HWND no = GetDlgItem(box, IDNO);
        if (yes && no) {
            SetWindowTextW(yes, L"&Oui");
            SetWindowTextW(no, L"&Non");
            SetWindowSubclass(box, BoxProc, 1, 0);  // once: same id again just updates it
        }
    }
    return CallNextHookEx(t_hook, code, wp, lp);
}

// The hook lives for one box; a box opened from inside another one (a
// nested modal loop) gets its own and gives the outer one back.
class ThreadCbtHook {
public:
    ThreadCbtHook() : outer_(t_hook), hook_(SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId())) {
        t_hook = hook_.get();
    }
    ~ThreadCbtHook() {
        hook_.reset();
        t_hook = outer_;
    }
    ThreadCbtHook(const ThreadCbtHook&) = delete;
    ThreadCbtHook& operator=(const ThreadCbtHook&) = delete;

private:
    HHOOK outer_;
    UniqueHook hook_;
};

}  // namespace

bool ShowConfirmBox(HWND owner, const std::string& text) {
    ThreadCbtHook hook;
    const int answer = MessageBoxW(owner, Widen(text).c_str(), L"Confirmation",
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1 | MB_APPLMODAL);
    return answer == IDYES;
}

}  // namespace kavelo::win32
