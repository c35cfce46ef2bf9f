// minimal_window: the least a Win32 program does to put a picture on the
// screen (register a class, open one window, fill it with one colour when
// asked to paint), as the plainest yardstick of the start-up benchmark
// (startup_bench.py).
#include "blue_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return yardstick::RunBlueWindow(instance, L"KaveloMinimalWindow", WS_EX_TOOLWINDOW);
}
