// tray_yardstick: the fair yardstick of the start-up benchmark
// (startup_bench.py) for a tray gauge. It does what any such program does
// before its first picture, and nothing of Kavelo's own: loads and
// initialises the same system DLLs (common controls, the shell, the common
// dialogs, the registry), opens its settings key, adds two notification-area
// icons and opens one borderless 80 x 24 window at the top left, filled with
// blue. WM_CLOSE removes the icons and ends it with exit code 0. With
// --blink it is the idle benchmark's yardstick for a blinking tray picture:
// every 500 ms it swaps the two icons' pictures, two ready-made icons, and
// does nothing else.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include "blue_window.h"

namespace {

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

void CALLBACK Blink(HWND hwnd, UINT, UINT_PTR, DWORD) {
    static const HICON icons[] = {LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)),
                                  LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION))};
    static bool phase = false;
    phase = !phase;
    for (UINT id : kIconIds) {
        NOTIFYICONDATAW n = IconData(hwnd, id);
        n.uFlags = NIF_ICON;
        n.hIcon = icons[phase == (id == 1)];
        Shell_NotifyIconW(NIM_MODIFY, &n);
    }
}

bool g_blink = false;

void AddIcons(HWND hwnd) {
    for (UINT id : kIconIds) {
        NOTIFYICONDATAW n = IconData(hwnd, id);
        Shell_NotifyIconW(NIM_ADD, &n);
    }
    if (g_blink) SetTimer(hwnd, 1, 500, Blink);
}

void RemoveIcons(HWND hwnd) {
    for (UINT id : kIconIds) {
        NOTIFYICONDATAW n = IconData(hwnd, id);
        Shell_NotifyIconW(NIM_DELETE, &n);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    // The colour chooser is linked (so comdlg32 loads at start, as in Kavelo)
    // but never opened.
    if (lstrcmpA(commandLine, "--choose-colour") == 0) {
        static COLORREF custom[16];
        CHOOSECOLORW cc{sizeof cc, nullptr, nullptr, yardstick::kBlue, custom, 0, 0, nullptr, nullptr};
        ChooseColorW(&cc);
    }
    g_blink = lstrcmpA(commandLine, "--blink") == 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Kavelo", 0, KEY_READ, &key) == ERROR_SUCCESS) RegCloseKey(key);

    return yardstick::RunBlueWindow(instance, L"KaveloTrayYardstick", WS_EX_TOOLWINDOW | WS_EX_TOPMOST, AddIcons,
                                    RemoveIcons);
}
