// The gauge at the system's DPI, as the program starts it: its logic over the
// real gauge window, notification area and image list. The harness runs
// these tests again with the DPI set to 144 and 192; Wine sends no
// WM_DPICHANGED, so a change is sent here, in-process.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <map>

#include "app/batterie.h"
#include "fakes/core_fakes.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_window.h"
#include "platform/win32/application_win32.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/gauge_window_win32.h"
#include "platform/win32/image_list_win32.h"
#include "platform/win32/tray_shell_win32.h"
#include "render/window_picture.h"

namespace kavelo::win32 {
namespace {

// The real notification area; remembers the icon last handed over per window.
class IconRecordingShell final : public NotifyShell {
public:
    std::map<WindowId, IconId> icons;
    bool Add(const NotifyIconData& d) override { return icons[d.hWnd] = d.hIcon, real_.Add(d); }
    void Modify(const NotifyIconData& d) override { icons[d.hWnd] = d.hIcon, real_.Modify(d); }
    void Delete(const NotifyIconData& d) override { real_.Delete(d); }
    ScreenPoint CursorPos() override { return real_.CursorPos(); }
    std::unique_ptr<HiddenWindow> CreateHiddenWindow(WindowProc p) override { return real_.CreateHiddenWindow(std::move(p)); }
    std::unique_ptr<IntervalTimer> CreateTimer(std::int32_t i, std::function<void()> t) override {
        return real_.CreateTimer(i, std::move(t));
    }
    std::uint32_t TaskbarCreatedMessage() override { return real_.TaskbarCreatedMessage(); }
    int IconSize() override { return real_.IconSize(); }

private:
    Win32NotifyShell real_;
};

int IconWidth(IconId id) {
    ICONINFO info{};
    if (!GetIconInfo(reinterpret_cast<HICON>(id), &info)) return -1;
    BITMAP bm{};
    GetObjectW(info.hbmColor, sizeof bm, &bm);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bm.bmHeight == bm.bmWidth ? bm.bmWidth : -1;
}

TEST(DpiTest, GaugeAndTrayIconsAtTheSystemScaleAndTheGaugeFollowsADpiChange) {
    Win32Application application("Kavelo");
    GaugeState state;
    fakes::FakePower power;
    fakes::FakeClock clock;
    IconRecordingShell shell;
    fakes::FakeErrorBox errors;
    Win32ImageList images;
    fakes::FakeRegistry registry;
    fakes::FakeApplication app;
    fakes::FakePopupMenu menu;
    fakes::FakeColorDialog colours;
    EmbeddedGlyphSource glyphs;
    Win32GaugeWindow window(application);
    BatteriePlatform platform{power, clock,  window.Timer1(), window, app,    menu, colours, shell,
                              images, errors, registry,       glyphs, "K.exe", {},   {}};
    TBatterie gauge(state, platform);
    window.SetEvents(&gauge);
    gauge.Start();

    const UINT dpi = SystemDpi();
    std::printf("system DPI %u\n", dpi);  // the harness checks that its setting took
    const int k = WindowScale(static_cast<int>(dpi)), size = MulDiv(16, static_cast<int>(dpi), 96);
    EXPECT_EQ(window.Dpi(), static_cast<int>(dpi));
    EXPECT_EQ(window.Width(), 80 * k);
    EXPECT_EQ(window.Height(), 24 * k);
    EXPECT_EQ(shell.IconSize(), size);  // 16, 24, 32 at 96, 144, 192
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images.Handle(), &cx, &cy);
    EXPECT_EQ(cx, size);
    EXPECT_EQ(cy, size);
    ASSERT_EQ(shell.icons.size(), 2u);
    for (const auto& [tray, icon] : shell.icons) EXPECT_EQ(IconWidth(icon), size);

    window.SetLeft(120);
    window.SetTop(90);
    const UINT other = dpi == 96 ? 192 : 96;
    RECT suggested{0, 0, 1, 1};
    SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
    const int k2 = WindowScale(static_cast<int>(other));
    EXPECT_EQ(window.Width(), 80 * k2);
    EXPECT_EQ(window.Height(), 24 * k2);
    EXPECT_EQ(window.Left(), 120);
    EXPECT_EQ(window.Top(), 90);
    EXPECT_TRUE(app.errors.empty() && errors.shown.empty());
    window.SetEvents(nullptr);
}

}  // namespace
}  // namespace kavelo::win32
