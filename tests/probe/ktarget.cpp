// ktarget: a window with a known popup menu and known controls, against
// which the end-to-end harness checks kprobe itself. Every notification it
// receives is written into a caption, where the harness reads it back.
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {

constexpr UINT kOpenMenu = WM_APP + 1;
enum : int { kCheck = 10, kEdit = 11, kSpin = 12, kTrack = 13, kPercent = 101, kFace = 102,
             kGrayed = 103, kClose = 104 };

HWND g_main = nullptr;
HWND g_panel = nullptr;

void Caption(HWND h, const std::wstring& text) { SetWindowTextW(h, text.c_str()); }

void OpenMenu(HWND hwnd) {
    HMENU colours = CreatePopupMenu();
    AppendMenuW(colours, MF_STRING, kFace, L"&Face…");
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | MF_CHECKED, kPercent, L"&Percent");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(colours), L"&Colours");
    AppendMenuW(menu, MF_STRING | MF_GRAYED, kGrayed, L"Grayed");
    AppendMenuW(menu, MF_STRING, kClose, L"&Close");
    SetForegroundWindow(hwnd);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 200, 150, 0, hwnd, nullptr);
    DestroyMenu(menu);
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case kOpenMenu:
        OpenMenu(hwnd);
        return 0;
    case WM_COMMAND:
        Caption(hwnd, L"command " + std::to_wstring(LOWORD(wp)));
        if (LOWORD(wp) == kClose) DestroyWindow(hwnd);
        return 0;
    case WM_POWERBROADCAST:
        Caption(hwnd, L"power " + std::to_wstring(wp));
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(7);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == kCheck && HIWORD(wp) == BN_CLICKED) {
            const LRESULT state = SendDlgItemMessageW(hwnd, kCheck, BM_GETCHECK, 0, 0);
            Caption(hwnd, L"check " + std::to_wstring(state));
        } else if (LOWORD(wp) == kEdit && HIWORD(wp) == EN_CHANGE) {
            wchar_t text[64] = L"";
            GetDlgItemTextW(hwnd, kEdit, text, 64);
            Caption(hwnd, std::wstring(L"edit ") + text);
        }
        return 0;
    case WM_HSCROLL:
        if (LOWORD(wp) == TB_THUMBPOSITION) Caption(hwnd, L"scroll " + std::to_wstring(HIWORD(wp)));
        return 0;
    case WM_CLOSE:
        return 0;  // only the main window ends the program
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND Control(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
             int id) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, g_panel,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    WNDCLASSW wc{};
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpfnWndProc = MainProc;
    wc.lpszClassName = L"KTarget";
    RegisterClassW(&wc);
    wc.lpfnWndProc = PanelProc;
    wc.lpszClassName = L"KTargetPanel";
    RegisterClassW(&wc);

    g_main = CreateWindowExW(WS_EX_TOPMOST, L"KTarget", L"ktarget ready", WS_OVERLAPPEDWINDOW,
                             10, 10, 200, 100, nullptr, nullptr, inst, nullptr);
    g_panel = CreateWindowExW(0, L"KTargetPanel", L"panel", WS_OVERLAPPEDWINDOW, 300, 10, 300,
                              200, nullptr, nullptr, inst, nullptr);
    Control(L"Button", L"&Start at logon", BS_AUTOCHECKBOX, 10, 10, 150, 20, kCheck);
    HWND edit = Control(L"Edit", L"5", WS_BORDER | ES_NUMBER, 10, 40, 60, 22, kEdit);
    HWND spin = Control(UPDOWN_CLASSW, nullptr, UDS_SETBUDDYINT | UDS_ALIGNRIGHT, 0, 0, 0, 0, kSpin);
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageW(spin, UDM_SETRANGE32, 1, 20);
    SendMessageW(spin, UDM_SETPOS32, 0, 5);
    HWND track = Control(TRACKBAR_CLASSW, nullptr, TBS_HORZ, 10, 80, 200, 30, kTrack);
    SendMessageW(track, TBM_SETRANGEMIN, FALSE, 0);
    SendMessageW(track, TBM_SETRANGEMAX, TRUE, 50);
    SendMessageW(track, TBM_SETPOS, TRUE, 10);
    Caption(g_panel, L"panel");
    ShowWindow(g_main, SW_SHOW);
    ShowWindow(g_panel, SW_SHOW);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
