// The "Battery details" window and the dialog base under it, driven by
// messages as the keyboard and the system send them.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/win32/details_window_win32.h"
#include "render/pixel_buffer.h"
#include "window_test_support.h"

namespace kavelo::win32 {
namespace {

using test::Pump;
using test::WindowText;

struct Events final : DetailsWindowEvents {
    std::unique_ptr<DetailsWindow> window;
    int ticks = 0, copies = 0, graphs = 0;
    void OnDetailsTick() override { ++ticks; }
    void OnDetailsCopy() override { ++copies; }
    void OnDetailsClosed() override { window.reset(); }
    void OnGraphSpan(GraphSpan) override { ++graphs; }
    void OnOpenLogFolder() override {}
};

HWND Find(HWND dialog, const wchar_t* cls, const wchar_t* text) { return FindWindowExW(dialog, nullptr, cls, text); }

void PressKey(HWND dialog, WPARAM key) {
    PostMessageW(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, key, 1);
    Pump();
}

TEST(DetailsWindow, ShowsTheFiguresCopiesAndClosesOnEscape) {
    Events events;
    events.window = Win32DetailsWindows(nullptr).Open(events, {"Charge", "Rate"});
    const HWND d = FindWindowW(nullptr, L"Battery details");
    ASSERT_TRUE(d);
    events.window->SetValues({"57 %", "5.5 W"});
    EXPECT_EQ(WindowText(GetWindow(Find(d, L"Static", L"Rate"), GW_HWNDNEXT)), L"5.5 W");

    SendMessageW(Find(d, L"Button", L"Copy"), BM_CLICK, 0, 0);
    EXPECT_EQ(events.copies, 1);
    events.window->PutOnClipboard("Charge: 57 %\r\nRate: 5.5 W");
    ASSERT_TRUE(OpenClipboard(nullptr));
    const auto* text = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    EXPECT_STREQ(text, L"Charge: 57 %\r\nRate: 5.5 W");
    CloseClipboard();

    // Tab goes round the buttons that can take the focus; Escape closes.
    SetFocus(Find(d, L"Button", L"Copy"));
    PressKey(d, VK_TAB);
    EXPECT_EQ(GetFocus(), Find(d, L"Button", L"Close"));
    PressKey(d, VK_ESCAPE);
    EXPECT_FALSE(events.window);
    EXPECT_FALSE(IsWindow(d));
}

TEST(DetailsWindow, FollowsANewDpi) {
    Events events;
    events.window = Win32DetailsWindows(nullptr).Open(events, {"Charge"});
    const HWND d = FindWindowW(nullptr, L"Battery details");
    const DetailsWindow::Area before = events.window->GraphArea();
    RECT client96{}, client{};
    GetClientRect(d, &client96);
    for (const UINT dpi : {192u, 144u}) {
        RECT suggested{30, 20, 40, 30};
        SendMessageW(d, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        const DetailsWindow::Area area = events.window->GraphArea();
        EXPECT_EQ(area.width, MulDiv(before.width, static_cast<int>(dpi), before.dpi));
        EXPECT_EQ(area.dpi, static_cast<int>(dpi));
        GetClientRect(d, &client);
        EXPECT_NEAR(client.right, MulDiv(client96.right, static_cast<int>(dpi), before.dpi), 1);
        events.window->SetGraph(PixelBuffer(area.width, area.height, 0x0000FF), "From 100 % to 57 %");
        RECT graph{};
        GetWindowRect(GetWindow(d, GW_CHILD), &graph);
        EXPECT_EQ(graph.right - graph.left, area.width);
    }
    EXPECT_EQ(events.graphs, 2);
}

class ModalDialog final : public DialogWindow {
public:
    explicit ModalDialog(HWND owner) {
        CreateDialogWindow(owner, L"Modal", 100, 50);
        AddControl({IDCANCEL, L"BUTTON", L"Close", BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 10, 75, 24});
        Layout();
    }
    int closes = 0;

private:
    void OnClose() override { ++closes, EndModal(); }
    INT_PTR OnDialogMessage(UINT, WPARAM, LPARAM) override { return FALSE; }
};

TEST(DialogWindow, RunsModallyOverItsOwnerUntilEscape) {
    const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ModalDialog dialog(owner);
    bool ownerDisabled = false;
    test::ModalAction escape(50, [&] {
        ownerDisabled = !IsWindowEnabled(owner);
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
    });
    dialog.RunModal();
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(dialog.closes, 1);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

}  // namespace
}  // namespace kavelo::win32
