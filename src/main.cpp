// Kavelo's entry point: a first window whose caption follows the battery.
#include <windows.h>

#include <string>

#include "core/refresh_cycle.h"
#include "platform/win32/power_win32.h"

namespace {

using namespace kavelo;

class NullTimer final : public Timer {
public:
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool e) override { enabled_ = e; }
private:
    bool enabled_ = false;
};

class CaptionOnlyView final : public GaugeView, public AlertMessageSink {
public:
    HWND hwnd = nullptr;
    void ShowPercent(uint8_t) override {}
    void DrawTimeFace(int32_t) override {}
    void DrawBlackPhase() override {}
    void ShowLabel(const std::string&) override {}
    void ShowFace(const std::string&) override {}
    bool IsMinimised() const override { return IsIconic(hwnd) != 0; }
    void SetCaption(const std::string& c) override { SetWindowTextA(hwnd, c.c_str()); }
    void UpdateTrayTip() override {}
    void FormResize() override {}
    void ShowAlertMessage(const std::string&) override {}
};

GaugeState g_state;
win32::Win32PowerSource g_power;
win32::Win32Clock g_clock;
NullTimer g_timer;
CaptionOnlyView g_view;
LowBatteryAlert g_alert(g_state, g_power, g_view);
RefreshCycle g_refresh(g_state, g_power, g_clock, g_timer, g_view, g_alert);

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_POWERBROADCAST:
        g_refresh.WMPowerBroadcast(static_cast<uint32_t>(wp));
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "TBatterie";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, "TBatterie", "Kavelo", WS_POPUP, 0, 0, 80, 24,
                                nullptr, nullptr, inst, nullptr);
    g_view.hwnd = hwnd;
    g_refresh.RefreshStatus();
    ShowWindow(hwnd, SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
