// The gauge window for screenshots: a time face, the "Absente" label and a
// percentage face in alert (red glyphs), each in its own gauge window, with the application's
// taskbar entry shown. A right click opens a sample context menu, a drag
// moves a window. Ends after the given number of seconds (default 30).
#include <windows.h>

#include <cstdlib>
#include <memory>

#include "core/low_battery_alert.h"
#include "fakes/core_fakes.h"
#include "fakes/fake_face_host.h"
#include "platform/win32/application_win32.h"
#include "platform/win32/gauge_window_win32.h"
#include "platform/win32/popup_menu_win32.h"
#include "render/gauge_face.h"
#include "render/window_picture.h"

using namespace kavelo;

namespace {

// Drags like the gauge, and opens a menu on a right click.
class DemoEvents final : public GaugeWindowEvents {
public:
    DemoEvents(GaugeWindowHost& window, PopupMenuHost& menu) : window_(window), menu_(menu) {}
    void OnActivate() override {}
    void OnResize() override {}
    void OnMouseDown(MouseButton, int x, int y) override {
        dragging_ = true;
        x_ = x;
        y_ = y;
    }
    void OnMouseUp(MouseButton, int, int) override { dragging_ = false; }
    void OnMouseMove(int x, int y) override {
        if (!dragging_) return;
        window_.SetLeft(window_.Left() + x - x_);
        window_.SetTop(window_.Top() + y - y_);
    }
    void OnClick() override {}
    void OnDblClick() override {}
    void OnContextPopup(int x, int y) override {
        MenuItem colours{0, "&Color", false, {{6, "&Normal...", false, {}}, {7, "&Alert...", false, {}}}};
        menu_.TrackPopup({{1, "&Only on system tray", false, {}},
                          {2, "&Always visible", true, {}},
                          colours,
                          {3, "&Time estimation", true, {}},
                          {0, "-", false, {}},
                          {4, "A&bout Kavelo", false, {}},
                          {0, "-", false, {}},
                          {5, "&Close", false, {}}},
                         x, y);
        window_.PostLeftButtonUp();
    }
    void OnPowerBroadcast(uint32_t) override {}
    void OnTimer1() override {}
    void OnEndSession() override {}
    void OnDestroy() override {}

private:
    GaugeWindowHost& window_;
    PopupMenuHost& menu_;
    bool dragging_ = false;
    int x_ = 0, y_ = 0;
};

struct DemoWindow {
    DemoWindow(win32::Win32Application& app, int left, int top, int width)
        : window(app), menu(window.Handle()), events(window, menu) {
        window.SetEvents(&events);
        window.SetLeft(left);
        window.SetTop(top);
        window.SetHeight(kWindowHeight);
        window.SetWidth(width);
        window.SetTopmost(true);
    }
    win32::Win32GaugeWindow window;
    win32::Win32PopupMenu menu;
    DemoEvents events;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
    const int seconds = cmdLine && *cmdLine ? std::atoi(cmdLine) : 30;
    win32::Win32Application app;
    app.SetTitle("Batterie : 57%");

    GaugeState state;
    state.Power = {0, 57};
    fakes::FakeFaceHost host;
    fakes::FakeMessages messages;
    LowBatteryAlert alert(state, messages);
    EmbeddedGlyphSource glyphs;

    DemoWindow time(app, 120, 120, kTimeWindowWidth);
    GaugeFace timeFace(state, time.window.Timer1(), alert, host);
    timeFace.LoadGlyphStrips(glyphs);
    timeFace.DrawTimeFace(5400);
    time.window.SetPicture(WindowPicture(timeFace.Canvas(), kTimeWindowWidth, kWindowHeight));
    time.window.SetCaption("Batterie : 57%");

    DemoWindow absent(app, 120, 170, kPercentWindowWidth);
    absent.window.SetPicture(WindowFrame(kPercentWindowWidth, kWindowHeight));
    absent.window.ShowLabel("Absente");
    absent.window.SetCaption("Batterie : Absente");

    DemoWindow percent(app, 120, 220, kPercentWindowWidth);
    GaugeFace percentFace(state, percent.window.Timer1(), alert, host);
    percentFace.LoadGlyphStrips(glyphs);
    percentFace.DrawPercentFace(5);  // under AlertPercent: the alert colour
    percent.window.SetPicture(WindowPicture(percentFace.Canvas(), kPercentWindowWidth, kWindowHeight));

    for (DemoWindow* w : {&time, &absent, &percent}) w->window.Show();
    app.RestoreTaskbarEntry();
    time.window.Show();

    // Ends the demo through the time window's close, as "&Close" would.
    const HWND closing = time.window.Handle();
    SetTimer(closing, 99, static_cast<UINT>(seconds) * 1000u, [](HWND hwnd, UINT, UINT_PTR, DWORD) {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    });
    return app.Run();
}
