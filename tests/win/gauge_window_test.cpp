#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <future>
#include <thread>

#include "platform/win32/application_win32.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/gauge_window_win32.h"
#include "platform/win32/power_notify_win32.h"
#include "platform/win32/single_instance_win32.h"
#include "render/pixel_buffer.h"
#include "win/window_test_support.h"

namespace kavelo::win32 {
namespace {

using test::Pump;
using test::PumpUntil;
using test::RecordingEvents;
using Log = std::vector<std::string>;

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class GaugeWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetTopmost(true);
        window.SetLeft(100);
        window.SetTop(100);
        window.SetHeight(24);
        window.SetWidth(80);
        window.Show();
        Pump();
        events.Clear();
    }
    void Send(UINT message, WPARAM wParam, LPARAM lParam) { SendMessageW(window.Handle(), message, wParam, lParam); }

    Win32Application app;
    RecordingEvents events;
    Win32GaugeWindow window{app, &events};
};

TEST_F(GaugeWindowTest, LeftClickGivesClickBeforeMouseUpAndHoldsTheCaptureMeanwhile) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 6));
    EXPECT_EQ(GetCapture(), window.Handle());
    Send(WM_LBUTTONUP, 0, At(7, 8));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(events.log, (Log{"down L 5,6", "click", "up L 7,8"}));
}

TEST_F(GaugeWindowTest, DoubleClickComesBeforeTheSecondMouseDownAndItsReleaseClicksNothing) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 6));
    Send(WM_LBUTTONUP, 0, At(5, 6));
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 6));
    Send(WM_LBUTTONUP, 0, At(5, 6));
    EXPECT_EQ(events.log,
              (Log{"down L 5,6", "click", "up L 5,6", "dblclick", "down L 5,6", "up L 5,6"}));
}

TEST_F(GaugeWindowTest, RightReleaseGivesMouseUpThenThePopupAtThePointersScreenPosition) {
    Send(WM_RBUTTONDOWN, MK_RBUTTON, At(10, 4));
    EXPECT_EQ(GetCapture(), window.Handle());
    Send(WM_RBUTTONUP, 0, At(12, 5));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(events.log, (Log{"down R 10,4", "up R 12,5", "popup 112,105"}));
}

TEST_F(GaugeWindowTest, MiddleButtonAndFastSecondPressesOfOtherButtonsAreMouseDowns) {
    Send(WM_MBUTTONDOWN, MK_MBUTTON, At(1, 2));
    Send(WM_MBUTTONUP, 0, At(1, 2));
    Send(WM_MBUTTONDBLCLK, MK_MBUTTON, At(1, 2));
    Send(WM_MBUTTONUP, 0, At(1, 2));
    Send(WM_RBUTTONDBLCLK, MK_RBUTTON, At(3, 4));
    EXPECT_EQ(events.log,
              (Log{"down M 1,2", "up M 1,2", "down M 1,2", "up M 1,2", "down R 3,4"}));
}

TEST_F(GaugeWindowTest, PostedLeftButtonUpWithoutAPressIsAMouseUpAtTheOriginAndNoClick) {
    window.PostLeftButtonUp();
    Pump();
    EXPECT_EQ(events.log, (Log{"up L 0,0"}));
}

TEST_F(GaugeWindowTest, ReleaseOutsideTheWindowOrAfterLosingTheCaptureClicksNothing) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 6));
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(-30, 40));  // captured: negative coordinates arrive
    Send(WM_LBUTTONUP, 0, At(-30, 40));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 6));
    ReleaseCapture();  // as when a menu or another window takes the mouse
    Send(WM_LBUTTONUP, 0, At(5, 6));
    EXPECT_EQ(events.Without({"move"}), (Log{"down L 5,6", "up L -30,40", "down L 5,6", "up L 5,6"}));
}

TEST_F(GaugeWindowTest, PointerMovesArriveInClientCoordinates) {
    events.recordMoves = true;
    Send(WM_MOUSEMOVE, 0, At(33, 9));
    EXPECT_EQ(events.log, (Log{"move 33,9"}));
}

TEST_F(GaugeWindowTest, TrackingSizeIsFixedToTheCurrentSize) {
    MINMAXINFO mmi{};
    mmi.ptMinTrackSize = {1, 1};
    mmi.ptMaxTrackSize = {5000, 5000};
    Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, 80);
    EXPECT_EQ(mmi.ptMinTrackSize.y, 24);
    EXPECT_EQ(mmi.ptMaxTrackSize.x, 80);
    EXPECT_EQ(mmi.ptMaxTrackSize.y, 24);
    window.SetWidth(68);
    Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMaxTrackSize.x, 68);
    EXPECT_EQ(mmi.ptMinTrackSize.x, 68);
}

TEST_F(GaugeWindowTest, PositionAndSizeAreOuterPixelsAndResizesAreReported) {
    EXPECT_EQ(window.Left(), 100);
    EXPECT_EQ(window.Top(), 100);
    EXPECT_EQ(window.Width(), 80);
    EXPECT_EQ(window.Height(), 24);
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, 80);  // no frame of its own
    EXPECT_EQ(client.bottom, 24);

    window.SetWidth(68);
    EXPECT_EQ(events.log, (Log{"resize"}));
    window.SetWidth(68);  // unchanged: nothing to report
    window.SetLeft(-20);  // partly off the screen is allowed
    window.SetTop(7);
    EXPECT_EQ(events.log, (Log{"resize"}));
    EXPECT_EQ(window.Left(), -20);
    EXPECT_EQ(window.Top(), 7);
    EXPECT_EQ(window.Width(), 68);
}

TEST_F(GaugeWindowTest, APositionOffEveryMonitorIsBroughtBackPartlyOffIsKept) {
    window.SetLeft(-30);
    window.SetTop(40);
    window.KeepOnAMonitor();
    EXPECT_EQ(window.Left(), -30);
    EXPECT_EQ(window.Top(), 40);

    window.SetLeft(5000);  // a monitor that is no longer there
    window.SetTop(-3000);
    window.KeepOnAMonitor();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(window.Left(), work.right - window.Width());
    EXPECT_EQ(window.Top(), work.top);
}

TEST_F(GaugeWindowTest, ResizeHandlerMayResizeAgainFromInside) {
    // The size rule runs from the resize notification and sets both sizes.
    int nested = 0;
    struct SizeRule : RecordingEvents {
        Win32GaugeWindow* w = nullptr;
        int* count = nullptr;
        void OnResize() override {
            ++*count;
            w->SetHeight(24);
            w->SetWidth(68);
        }
    } rule;
    rule.w = &window;
    rule.count = &nested;
    window.SetEvents(&rule);
    window.SetHeight(30);
    window.SetEvents(&events);
    EXPECT_EQ(window.Width(), 68);
    EXPECT_EQ(window.Height(), 24);
    EXPECT_LE(nested, 4);
}

TEST_F(GaugeWindowTest, TopmostOnAndOff) {
    EXPECT_TRUE(window.IsTopmost());
    window.SetTopmost(false);
    EXPECT_FALSE(window.IsTopmost());
    EXPECT_FALSE(GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    window.SetTopmost(true);
    EXPECT_TRUE(GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(GaugeWindowTest, BorderlessDoubleClickingWindowOwnedByTheApplicationWindow) {
    const HWND hwnd = window.Handle();
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    EXPECT_STREQ(cls, L"TBatterie");
    EXPECT_TRUE(GetClassLongW(hwnd, GCL_STYLE) & CS_DBLCLKS);
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
    // Owned and not an app window: no taskbar entry of its own.
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), app.Handle());
    EXPECT_FALSE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(app.MainWindow(), hwnd);
    // The test program carries Kavelo's resources, the icon among them,
    // set once the first paint has had its turn.
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0) != 0; }, 2000));
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(app.Handle(), WM_GETICON, ICON_BIG, 0) != 0; }, 2000));
}

TEST_F(GaugeWindowTest, ShowHideActivateAndCaption) {
    EXPECT_TRUE(window.Visible());
    window.Hide();
    EXPECT_FALSE(window.Visible());
    window.Show();
    Pump();
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(events.log, (Log{"activate"}));
    EXPECT_FALSE(window.IsMinimised());

    window.SetCaption("Batterie : 57%");
    EXPECT_EQ(test::WindowText(window.Handle()), L"Batterie : 57%");
}

TEST_F(GaugeWindowTest, DpiChangesGoToTheLogicAndShowingReadsTheDpiAnew) {
    const int system = static_cast<int>(WindowDpi(window.Handle())), other = system == 96 ? 192 : 96;
    RECT suggested{10, 20, 30, 60};
    Send(WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
    window.Show();  // at the monitor's DPI again
    EXPECT_EQ(events.Without({"activate"}), (Log{"dpi " + std::to_string(system) + " 10,20", "dpi " + std::to_string(other) + " 100,100"}));
}

TEST_F(GaugeWindowTest, PowerEventsEndOfSessionAndTimerTicksReachTheEvents) {
    EXPECT_EQ(SendMessageW(window.Handle(), WM_POWERBROADCAST, 7, 0), TRUE);
    EXPECT_EQ(SendMessageW(window.Handle(), WM_POWERBROADCAST, 0x8013, 0), TRUE);
    Send(WM_ENDSESSION, FALSE, 0);  // the session goes on
    Send(WM_ENDSESSION, TRUE, 0);
    Send(WM_TIMER, Win32GaugeWindow::kTimer1Id, 0);  // Timer1 is stopped: ignored
    window.Timer1().SetEnabled(true);
    Send(WM_TIMER, Win32GaugeWindow::kTimer1Id, 0);
    Send(WM_TIMER, Win32GaugeWindow::kTimer1Id + 7, 0);  // not Timer1
    window.Timer1().SetEnabled(false);
    EXPECT_EQ(events.log, (Log{"power 7", "power 32787", "endsession", "timer"}));
    // Wine's registration is a stub that answers as if it worked.
    EXPECT_EQ(window.PowerSettingsRegistered(), 3);
}

// The screen's state as Windows sends it, a DWORD after the setting's GUID;
// anything else about a setting is a plain setting change.
TEST_F(GaugeWindowTest, TheScreenGoingOffAndOnIsReadFromTheSettingsData) {
    const GUID display = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}}, other{};
    const struct { const GUID& setting; DWORD length, state; uint32_t event; } cases[] = {
        {display, 4, 0, kPowerDisplayOff}, {display, 4, 1, kPowerDisplayOn}, {display, 4, 2, kPowerSettingChange},
        {display, 1, 0, kPowerSettingChange}, {other, 4, 0, kPowerSettingChange}};
    for (const auto& c : cases) {
        events.Clear();
        struct { POWERBROADCAST_SETTING setting; DWORD more; } message{{c.setting, c.length, {}}, 0};
        memcpy(message.setting.Data, &c.state, 4);
        Send(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&message));
        EXPECT_EQ(events.log, Log{"power " + std::to_string(c.event)});
    }
}

TEST_F(GaugeWindowTest, Timer1TicksEveryHalfSecondWhileEnabled) {
    EXPECT_EQ(window.Timer1().Interval(), 500u);
    EXPECT_FALSE(window.Timer1().Enabled());
    window.Timer1().SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return events.log.size() >= 2; }, 3000));
    window.Timer1().SetEnabled(false);
    EXPECT_EQ(events.log, (Log{"timer", "timer"}));
}

TEST_F(GaugeWindowTest, TooltipCoversTheWindowAfterTheHintPause) {
    const HWND tip = window.Tooltip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 3000);
    wchar_t text[128] = {};
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = window.Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(window.Handle());
    ti.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, L"Cliquez sur le bouton de droite pour le menu");
}

// A gauge that has begun to close answers no show request: a start then
// waits for the first process to end (here: the thread that holds the
// guard) and runs. (The answered request is seen end to end.)
TEST_F(GaugeWindowTest, ASecondStartNeedsTheGaugesAnswerOrItsEnd) {
    const auto claim = [] { return std::async(std::launch::async, [] { return SingleInstance().Claim(); }); };
    const auto ends = [](std::future<bool>& f, DWORD ms) { return PumpUntil([&] { return f.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, ms); };
    std::promise<void> claimed, end;
    std::thread first([&] { SingleInstance guard; guard.Claim(); claimed.set_value(); end.get_future().wait(); });
    claimed.get_future().wait();
    std::future<bool> next;
    events.onDestroy = [&] { next = claim(); EXPECT_FALSE(ends(next, 500)); end.set_value(); };
    window.Close();
    EXPECT_EQ(app.Run(), 0);
    first.join();
    EXPECT_TRUE(next.get());
    EXPECT_EQ(events.log, (Log{"destroy"}));
}

TEST_F(GaugeWindowTest, CloseRunsTheDestroyEventAndEndsTheMessageLoop) {
    window.Close();
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(events.log, (Log{"destroy"}));
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_FALSE(window.Visible());
}

TEST(GaugeWindowLifetime, TearingDownNeitherReportsNorEndsTheLoop) {
    Win32Application app;
    RecordingEvents events;
    HWND hwnd = nullptr;
    {
        Win32GaugeWindow window(app, &events);
        hwnd = window.Handle();
        window.Timer1().SetEnabled(true);
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(events.Without({"resize"}).empty());
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(app.MainWindow(), nullptr);
}

}  // namespace
}  // namespace kavelo::win32
