// tray_yardstick: the fair yardstick of the start-up benchmark
// (startup_bench.py) for a tray gauge. It does what any such program does
// before its first picture, and nothing of Kavelo's own: loads and
// initialises the same system DLLs (common controls, the shell, the common
// dialogs, the registry), opens its settings key, adds two notification-area
// icons and opens one borderless 80 x 24 window at the top left, filled with
// blue. WM_CLOSE removes the icons and ends it with exit code 0.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

namespace {

constexpr COLORREF kColour = RGB(0, 0, 255);
constexpr UINT kIconIds[] = {2, 1};  // added right half first, as Kavelo does

NOTIFYICONDATAW IconData(HWND hwnd, UINT id) {
    NOTIFYICONDATAW n{};
    n.cbSize = sizeof n;
    n.hWnd = hwnd;
    n.uID = id;
    n.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    n.uCallbackMessage = WM_APP;
    n.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    lstrcpyW(n.szTip, L"yardstick");
    return n;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH brush = CreateSolidBrush(kColour);
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        for (UINT id : kIconIds) {
            NOTIFYICONDATAW n = IconData(hwnd, id);
            Shell_NotifyIconW(NIM_DELETE, &n);
        }
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    // The colour chooser is linked (so comdlg32 loads at start, as in Kavelo)
    // but never opened.
    if (lstrcmpA(commandLine, "--choose-colour") == 0) {
        static COLORREF custom[16];
        CHOOSECOLORW cc{sizeof cc, nullptr, nullptr, kColour, custom, 0, 0, nullptr, nullptr};
        ChooseColorW(&cc);
    }
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Kavelo", 0, KEY_READ, &key) == ERROR_SUCCESS) RegCloseKey(key);

    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"KaveloTrayYardstick";
    if (!RegisterClassW(&wc)) return 1;
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, L"yardstick",
                                WS_POPUP, 0, 0, 80, 24, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    for (UINT id : kIconIds) {
        NOTIFYICONDATAW n = IconData(hwnd, id);
        Shell_NotifyIconW(NIM_ADD, &n);
    }
    ShowWindow(hwnd, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
