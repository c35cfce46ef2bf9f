#include <gtest/gtest.h>

#include "platform/win32/application_win32.h"
#include "platform/win32/error_box_win32.h"
#include "platform/win32/gauge_window_win32.h"
#include "win/window_test_support.h"

namespace kavelo::win32 {
namespace {

using test::ModalAction;
using test::Pump;
using test::PumpUntil;
using test::WindowText;

TEST(Win32Application, OwnWindowCarriesTheTitleAndIsNeverSeen) {
    Win32Application app;
    const HWND hwnd = app.Handle();
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    EXPECT_STREQ(cls, L"TApplication");
    EXPECT_EQ(WindowText(hwnd), L"Kavelo");
    EXPECT_EQ(app.Title(), "Kavelo");
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr);  // unowned: it has the taskbar entry
    EXPECT_FALSE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    app.SetTitle("Batterie : 57% \xC3\xA9t\xC3\xA9");  // UTF-8 inside, UTF-16 on screen
    EXPECT_EQ(WindowText(hwnd), L"Batterie : 57% \u00e9t\u00e9");
    EXPECT_EQ(app.Title(), "Batterie : 57% \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(ApplicationTitle(), app.Title());  // the error box's caption follows

    app.RestoreTaskbarEntry();
    EXPECT_TRUE(IsWindowVisible(hwnd));
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.right - r.left, 0);
    EXPECT_EQ(r.bottom - r.top, 0);
    app.HideTaskbarEntry();
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST(Win32Application, HintIsKept) {
    Win32Application app;
    EXPECT_EQ(app.HintPause(), 3000);
    EXPECT_TRUE(app.ShowHint());
    app.SetHint("Batterie : 57%");
    app.SetShowHint(false);
    EXPECT_EQ(app.Hint(), "Batterie : 57%");
    EXPECT_FALSE(app.ShowHint());
}

TEST(Win32Application, ProcessMessagesDispatchesWhatIsPendingAndLeavesTheQuitForTheLoop) {
    Win32Application app;
    test::RecordingEvents events;
    Win32GaugeWindow window(app, &events);
    events.Clear();
    PostMessageW(window.Handle(), WM_POWERBROADCAST, 10, 0);
    PostMessageW(window.Handle(), WM_POWERBROADCAST, 18, 0);
    PostQuitMessage(3);
    app.ProcessMessages();
    EXPECT_EQ(events.log, (std::vector<std::string>{"power 10", "power 18"}));
    EXPECT_EQ(app.Run(), 3);
}

TEST(Win32Application, ClickOnTheTaskbarEntryBringsTheGaugeWindowForward) {
    Win32Application app;
    test::RecordingEvents events;
    Win32GaugeWindow window(app, &events);
    window.Show();
    app.RestoreTaskbarEntry();
    SetForegroundWindow(app.Handle());  // what the taskbar does on a click
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window.Handle(); }, 2000));
    app.HideTaskbarEntry();
}

TEST(Win32Application, ClosingTheTaskbarEntryClosesTheGaugeWindow) {
    Win32Application app;
    test::RecordingEvents events;
    Win32GaugeWindow window(app, &events);
    PostMessageW(app.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(events.log.back(), "destroy");
    EXPECT_TRUE(IsWindow(app.Handle()));
}

TEST(Win32Application, InformationBoxIsCaptionedCentredAndModal) {
    Win32Application app;
    Win32GaugeWindow window(app);
    window.Show();
    std::wstring caption, text;
    RECT box{};
    bool gaugeDisabled = false;
    bool hasIcon = false;
    ModalAction press(300, [&] {
        const auto boxes = test::ThreadWindows(L"#32770");
        if (boxes.empty()) return;
        caption = WindowText(boxes[0]);
        GetWindowRect(boxes[0], &box);
        gaugeDisabled = !IsWindowEnabled(window.Handle());
        wchar_t body[256] = {};
        GetDlgItemTextW(boxes[0], 0xFFFF, body, 256);  // the message's static control
        text = body;
        EnumChildWindows(
            boxes[0],
            [](HWND child, LPARAM found) -> BOOL {
                if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                    SendMessageW(child, STM_GETICON, 0, 0)) {
                    *reinterpret_cast<bool*>(found) = true;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&hasIcon));
        PostMessageW(boxes[0], WM_COMMAND, IDOK, 0);
    });
    app.ShowInformation("Warning !!!\r\rBattery low...9% left");
    EXPECT_EQ(caption, L"Information");
    EXPECT_EQ(text, L"Warning !!!\r\rBattery low...9% left");
    EXPECT_TRUE(hasIcon);
    EXPECT_TRUE(gaugeDisabled);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs((box.left + box.right) / 2 - cx / 2), 2);
    EXPECT_LE(std::abs((box.top + box.bottom) / 2 - cy / 2), 40);  // the work area leaves out the taskbar
    EXPECT_TRUE(IsWindowEnabled(window.Handle()));
}

}  // namespace
}  // namespace kavelo::win32
