// Shows two tray icons side by side, a red and a green one, over one image
// list, for a given number of seconds (default 30), then removes them.
// A double-click on either icon ends the program at once.
#include <windows.h>

#include <array>
#include <cstdlib>

#include "platform/win32/error_box_win32.h"
#include "platform/win32/image_list_win32.h"
#include "platform/win32/tray_shell_win32.h"
#include "tray/zet_sys_tray.h"

using namespace kavelo;

namespace {

// A plain square with a one-pixel frame of a darker shade.
std::array<std::uint32_t, ImageList::kPixels> Square(std::uint32_t fill, std::uint32_t frame) {
    std::array<std::uint32_t, ImageList::kPixels> px;
    for (int y = 0; y < ImageList::kSize; ++y)
        for (int x = 0; x < ImageList::kSize; ++x) {
            const bool edge = x == 0 || y == 0 || x == ImageList::kSize - 1 || y == ImageList::kSize - 1;
            px[static_cast<std::size_t>(y * ImageList::kSize + x)] = edge ? frame : fill;
        }
    return px;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
    const int seconds = cmdLine && *cmdLine ? std::atoi(cmdLine) : 30;
    win32::Win32NotifyShell shell;
    win32::Win32ErrorBox errors;
    win32::Win32ImageList images;
    images.Add(Square(0x0000FF, 0x000080).data());  // red
    images.Add(Square(0x00FF00, 0x008000).data());  // green

    TZetSysTray left(shell, errors), right(shell, errors);
    int image = 0;
    for (TZetSysTray* t : {&left, &right}) {
        t->SetIcons(&images);
        t->SetIconItemLast(image);
        t->SetIconItemFirst(image);
        t->SetTip(image == 0 ? "Kavelo tray demo: red" : "Kavelo tray demo: green");
        t->SetInterval(0);
        t->SetOnDblClick([](TZetSysTray&, TMouseButton, int, int) { PostQuitMessage(0); });
        ++image;
    }
    left.SetActive(true);
    right.SetActive(true);
    left.UpdateIcon();
    right.UpdateIcon();

    const UINT_PTR quit = SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000u, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.wParam == quit) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    KillTimer(nullptr, quit);
    return 0;
}
