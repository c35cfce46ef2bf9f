#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/image_list_win32.h"
#include "platform/win32/tray_shell_win32.h"
#include "tray/zet_sys_tray.h"

namespace kavelo::win32 {
namespace {

// The real shell, with a record of what the component asked of it.
class RecordingShell final : public NotifyShell {
public:
    struct Call {
        char kind;  // 'A', 'M', 'D'
        NotifyIconData data;
        bool result;  // the add's answer; for a delete, whether the icon is gone
    };
    std::vector<Call> calls;

    bool Add(const NotifyIconData& d) override {
        const bool ok = real_.Add(d);
        calls.push_back({'A', d, ok});
        return ok;
    }
    void Modify(const NotifyIconData& d) override {
        real_.Modify(d);
        calls.push_back({'M', d, true});
    }
    void Delete(const NotifyIconData& d) override;
    ScreenPoint CursorPos() override { return real_.CursorPos(); }
    std::unique_ptr<HiddenWindow> CreateHiddenWindow(WindowProc p) override { return real_.CreateHiddenWindow(std::move(p)); }
    std::unique_ptr<IntervalTimer> CreateTimer(std::int32_t i, std::function<void()> t) override {
        return real_.CreateTimer(i, std::move(t));
    }
    std::uint32_t TaskbarCreatedMessage() override { return real_.TaskbarCreatedMessage(); }

    const Call* Last(char kind, WindowId window) const {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->kind == kind && it->data.hWnd == window) return &*it;
        return nullptr;
    }

private:
    Win32NotifyShell real_;
};

// Whether the notification area holds the icon (window, 1): a modify that
// changes nothing succeeds only for an icon that is there.
bool Present(WindowId window) {
    NOTIFYICONDATAW n{};
    n.cbSize = sizeof n;
    n.hWnd = reinterpret_cast<HWND>(window);
    n.uID = 1;
    return Shell_NotifyIconW(NIM_MODIFY, &n) != FALSE;
}

void RecordingShell::Delete(const NotifyIconData& d) {
    real_.Delete(d);
    calls.push_back({'D', d, !Present(d.hWnd)});
}

// The colour of the icon's top left pixel as 0x00RRGGBB, or ~0 if the
// handle is no icon (any more).
DWORD IconColour(IconId id) {
    ICONINFO info{};
    if (!id || !GetIconInfo(reinterpret_cast<HICON>(id), &info)) return ~0u;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::array<DWORD, 256> px{};
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmColor, 0, 16, px.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return px[0] & 0xFFFFFF;
}

class RecordingErrors final : public ErrorBox {
public:
    std::vector<std::string> shown;
    void ShowError(const std::string& m) override { shown.push_back(m); }
};

struct Click {
    TZetSysTray* sender;
    int kind;  // 0 click, 1 double-click
    TMouseButton button;
    int x, y;
};

class Win32TrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FindWindowA("Shell_TrayWnd", nullptr)) GTEST_SKIP() << "no taskbar with a notification area";
        std::array<std::uint32_t, 256> px;
        px.fill(0x0000FF);  // red
        list.Add(px.data());
        px.fill(0x00FF00);  // green
        list.Add(px.data());
    }
    std::unique_ptr<TZetSysTray> Make(int image, const char* tip) {
        auto t = std::make_unique<TZetSysTray>(shell, errors);
        t->SetIcons(&list);
        t->SetIconItemLast(image);
        t->SetIconItemFirst(image);
        t->SetTip(tip);
        t->SetInterval(0);
        t->SetOnClick([this](TZetSysTray& s, TMouseButton b, int x, int y) { clicks.push_back({&s, 0, b, x, y}); });
        t->SetOnDblClick([this](TZetSysTray& s, TMouseButton b, int x, int y) { clicks.push_back({&s, 1, b, x, y}); });
        return t;
    }

    RecordingShell shell;
    RecordingErrors errors;
    Win32ImageList list;
    std::vector<Click> clicks;
};

TEST_F(Win32TrayTest, TwoIconsOverOneListLiveAndDieWithTheirComponents) {
    auto left = Make(0, "Kavelo left");
    auto right = Make(1, "Kavelo right");
    const WindowId lw = left->WindowHandle(), rw = right->WindowHandle();
    ASSERT_NE(lw, 0u);
    ASSERT_NE(rw, lw);
    // Message-only windows; the broadcasts below reach them through the shell.
    for (WindowId w : {lw, rw}) {
        HWND h = reinterpret_cast<HWND>(w);
        EXPECT_FALSE(IsWindowVisible(h));
        EXPECT_NE(GetAncestor(h, GA_PARENT), GetDesktopWindow());
    }
    EXPECT_TRUE(shell.calls.empty());

    left->SetActive(true);
    right->SetActive(true);
    ASSERT_NE(shell.Last('A', lw), nullptr);
    ASSERT_NE(shell.Last('A', rw), nullptr);
    EXPECT_TRUE(shell.Last('A', lw)->result);
    EXPECT_TRUE(shell.Last('A', rw)->result);
    EXPECT_TRUE(Present(lw));
    EXPECT_TRUE(Present(rw));
    EXPECT_EQ(IconColour(shell.Last('A', lw)->data.hIcon), 0xFF0000u);
    EXPECT_EQ(IconColour(shell.Last('A', rw)->data.hIcon), 0x00FF00u);

    // New tip, new picture.
    left->SetTip("Battery :  57%");
    std::array<std::uint32_t, 256> px;
    list.Clear();
    px.fill(0xFF0000);  // blue
    list.Add(px.data());
    px.fill(0xC0C0C0);
    list.Add(px.data());
    const IconId oldLeft = shell.Last('M', lw)->data.hIcon;
    left->UpdateIcon();
    right->UpdateIcon();
    const RecordingShell::Call* lm = shell.Last('M', lw);
    EXPECT_EQ(std::string(lm->data.szTip), "Battery :  57%");
    EXPECT_EQ(IconColour(lm->data.hIcon), 0x0000FFu);
    EXPECT_EQ(IconColour(shell.Last('M', rw)->data.hIcon), 0xC0C0C0u);
    EXPECT_EQ(IconColour(oldLeft), ~0u) << "the icon replaced was not destroyed";
    EXPECT_TRUE(Present(lw));

    // Callbacks, with the pointer where it is when they are handled.
    ASSERT_TRUE(SetCursorPos(321, 234));
    SendMessageA(reinterpret_cast<HWND>(lw), TrayCallbackMessage, 1, WM_LBUTTONUP);
    SendMessageA(reinterpret_cast<HWND>(lw), TrayCallbackMessage, 1, WM_LBUTTONDOWN);
    ASSERT_TRUE(SetCursorPos(400, 500));
    SendMessageA(reinterpret_cast<HWND>(rw), TrayCallbackMessage, 1, WM_RBUTTONDBLCLK);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].sender, left.get());
    EXPECT_EQ(clicks[0].kind, 0);
    EXPECT_EQ(clicks[0].button, TMouseButton::mbLeft);
    EXPECT_EQ(clicks[0].x, 321);
    EXPECT_EQ(clicks[0].y, 234);
    EXPECT_EQ(clicks[1].sender, right.get());
    EXPECT_EQ(clicks[1].kind, 1);
    EXPECT_EQ(clicks[1].button, TMouseButton::mbRight);
    EXPECT_EQ(clicks[1].x, 400);
    EXPECT_EQ(clicks[1].y, 500);

    // An error in a handler is reported and stays in the window procedure.
    right->SetOnClick([](TZetSysTray&, TMouseButton, int, int) -> void { throw std::runtime_error("boom"); });
    EXPECT_EQ(SendMessageA(reinterpret_cast<HWND>(rw), TrayCallbackMessage, 1, WM_RBUTTONUP), 0);
    EXPECT_EQ(errors.shown, std::vector<std::string>{"boom"});

    // The taskbar is made anew: the icons come back.
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    for (WindowId w : {lw, rw}) {
        NOTIFYICONDATAW n{};
        n.cbSize = sizeof n;
        n.hWnd = reinterpret_cast<HWND>(w);
        n.uID = 1;
        ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &n));
        ASSERT_FALSE(Present(w));
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    EXPECT_TRUE(Present(lw));
    EXPECT_TRUE(Present(rw));
    EXPECT_TRUE(shell.Last('A', lw)->result);
    EXPECT_EQ(std::string(shell.Last('A', lw)->data.szTip), "Battery :  57%");

    // The same message with the icons still there: brought up to date, not
    // added twice.
    const std::size_t before = shell.calls.size();
    SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    ASSERT_EQ(shell.calls.size(), before + 4);
    EXPECT_FALSE(shell.Last('A', lw)->result);
    EXPECT_EQ(shell.calls.back().kind, 'M');
    EXPECT_TRUE(Present(lw));

    left.reset();
    right.reset();
    ASSERT_NE(shell.Last('D', lw), nullptr);
    ASSERT_NE(shell.Last('D', rw), nullptr);
    EXPECT_TRUE(shell.Last('D', lw)->result) << "icon still in the notification area";
    EXPECT_TRUE(shell.Last('D', rw)->result);
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(lw)));
}

}  // namespace
}  // namespace kavelo::win32
