// The gauge window under real pointer input (SendInput), with a drag
// handler of the same shape as the gauge's own.
#include <gtest/gtest.h>

#include "platform/win32/application_win32.h"
#include "platform/win32/gauge_window_win32.h"
#include "win/window_test_support.h"

namespace kavelo::win32 {
namespace {

using test::Pump;
using test::RecordingEvents;
using Log = std::vector<std::string>;

class DraggingEvents : public RecordingEvents {
public:
    GaugeWindowHost* window = nullptr;
    bool dragging = false;
    int originX = 0, originY = 0;
    void OnMouseDown(MouseButton b, int x, int y) override {
        RecordingEvents::OnMouseDown(b, x, y);
        dragging = true;
        originX = x;
        originY = y;
    }
    void OnMouseUp(MouseButton b, int x, int y) override {
        RecordingEvents::OnMouseUp(b, x, y);
        dragging = false;
    }
    void OnMouseMove(int x, int y) override {
        if (!dragging) return;
        window->SetLeft(window->Left() + x - originX);
        window->SetTop(window->Top() + y - originY);
    }
};

void Button(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof(in));
}

class GaugeWindowInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        events.window = &window;
        window.SetTopmost(true);
        window.SetLeft(200);
        window.SetTop(150);
        window.SetHeight(24);
        window.SetWidth(80);
        window.Show();
        SetCursorPos(230, 160);
        Settle();
        events.Clear();
    }
    static void Settle() {
        for (int i = 0; i < 5; ++i) {
            Sleep(20);
            Pump();
        }
    }
    // Pauses longer than the double-click time, so that the next press of a
    // test starts afresh.
    void TearDown() override { Sleep(GetDoubleClickTime() + 50); }

    Win32Application app;
    DraggingEvents events;
    Win32GaugeWindow window{app, &events};
};

TEST_F(GaugeWindowInputTest, RealClickAndDoubleClick) {
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
    Settle();
    EXPECT_EQ(events.log, (Log{"down L 30,10", "click", "up L 30,10"}));
    Sleep(GetDoubleClickTime() + 50);  // or the next press would pair with this one
    events.Clear();
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
    Settle();
    EXPECT_EQ(events.log,
              (Log{"down L 30,10", "click", "up L 30,10", "dblclick", "down L 30,10", "up L 30,10"}));
}

TEST_F(GaugeWindowInputTest, RealRightClickOpensThePopupAtThePointer) {
    Button(MOUSEEVENTF_RIGHTDOWN);
    Button(MOUSEEVENTF_RIGHTUP);
    Settle();
    EXPECT_EQ(events.log, (Log{"down R 30,10", "up R 30,10", "popup 230,160"}));
}

TEST_F(GaugeWindowInputTest, DragWithAnyButtonMovesTheWindowByThePointersDisplacement) {
    const DWORD presses[][2] = {{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
                                {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
                                {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP}};
    int x = 230, y = 160;
    for (const auto& press : presses) {
        const int left = window.Left(), top = window.Top();
        Button(press[0]);
        Settle();
        // In steps, and far enough that the pointer runs off the window's
        // old place: the capture keeps the moves coming.
        for (int step = 1; step <= 4; ++step) {
            SetCursorPos(x + 25 * step, y + 15 * step);
            Settle();
        }
        Button(press[1]);
        Settle();
        EXPECT_EQ(window.Left(), left + 100);
        EXPECT_EQ(window.Top(), top + 60);
        x += 100;
        y += 60;
    }
}

}  // namespace
}  // namespace kavelo::win32
