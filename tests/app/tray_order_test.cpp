// Which icon shows which half, from where the shell says the icons stand;
// and the notifications the gauge shows from the left one.
#include <gtest/gtest.h>

#include "app/batterie.h"
#include "fakes/core_fakes.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_window.h"

namespace kavelo {
namespace {

using namespace fakes;

struct TrayRig : ::testing::Test {
    GaugeState state;
    FakePower power;
    FakeClock clock;
    FakeTimer timer;
    FakeGaugeWindow window;
    FakeApplication app;
    FakePopupMenu menu;
    FakeColorDialog colours;
    FakeShell shell;
    FakeImageList images;
    FakeErrorBox errors;
    FakeRegistry registry;
    EmbeddedGlyphSource glyphs;
    BatteriePlatform platform{power, clock, timer, window, app, menu, colours, shell, images, errors,
                              registry, glyphs, "C:\\Kavelo.exe", {}};
    std::unique_ptr<TBatterie> gauge;

    void Start() {
        power.Battery(57);
        gauge = std::make_unique<TBatterie>(state, platform);
        window.events = gauge.get();
        gauge->Start();
    }
    // The half of the tray picture an icon shows: 0 left, 1 right.
    int HalfShownBy(std::uint32_t id) {
        const TZetSysTray& tray = id == 1 ? gauge->ZetSysTray1 : gauge->ZetSysTray2;
        const auto& shown = images.images.at(images.ImageOf(shell.area.at({tray.WindowHandle(), id}).hIcon));
        for (int half : {0, 1}) {
            const PixelBuffer p = gauge->Image1.TrayPicture().Crop(16 * half, 0, 16, 16);
            if (shown == std::vector<uint32_t>(p.Data(), p.Data() + 256)) return half;
        }
        return -1;
    }
    // The pointer rests over an icon a second later: the places are read.
    void PointerOver() {
        clock.Advance(1000);
        shell.Callback(gauge->ZetSysTray1.WindowHandle(), kMouseMove);
    }
};

TEST_F(TrayRig, TheLeftHalfGoesToTheIconThatStandsOnTheLeft) {
    const ScreenRect at700{700, 580, 716, 596}, at716{716, 580, 732, 596}, below{700, 600, 716, 616};
    struct Step {
        const char* what;
        std::map<std::uint32_t, ScreenRect> places;
        int leftHalfOn;  // the id of the icon showing the left half afterwards
    } steps[] = {
        {"the shell can't say", {}, 1},
        {"swapped", {{1, at716}, {2, at700}}, 2},
        {"one unknown keeps the swap", {{1, at700}}, 2},
        {"two rows keep it", {{1, at700}, {2, below}}, 2},
        {"order restored", {{1, at700}, {2, at716}}, 1},
        {"same order", {{1, at700}, {2, at716}}, 1},
    };
    Start();
    for (const Step& step : steps) {
        shell.places = step.places;
        const size_t adds = shell.Count(ShellCall::Add);
        PointerOver();
        EXPECT_EQ(HalfShownBy(step.leftHalfOn), 0) << step.what;
        EXPECT_EQ(HalfShownBy(3 - step.leftHalfOn), 1) << step.what;
        EXPECT_EQ(shell.Count(ShellCall::Add), adds) << "nothing is added again";
    }
    // Read after a new taskbar, and at most once a second on pointer moves.
    shell.places = {{1, at716}, {2, at700}};
    shell.Callback(gauge->ZetSysTray1.WindowHandle(), kMouseMove);
    EXPECT_EQ(HalfShownBy(1), 0);
    shell.RestartTaskbar();
    EXPECT_EQ(HalfShownBy(2), 0);
}

TEST_F(TrayRig, FirstRunSaysWhereTheIconsAreFromTheLeftOne) {
    shell.places = {{1, {716, 580, 732, 596}}, {2, {700, 580, 716, 596}}};
    Start();
    ASSERT_EQ(shell.balloons.size(), 1u);
    EXPECT_EQ(shell.balloons[0].substr(0, 22), "2: Kavelo is running /");
    gauge.reset();
    shell.balloons.clear();
    Start();  // the settings key exists now
    EXPECT_TRUE(shell.balloons.empty());
}

TEST_F(TrayRig, ChargingShowsTheTimeToFullAndTheChargeAlert) {
    Start();
    EXPECT_EQ(gauge->ZetSysTray1.Tip(), "Battery :  57%");
    state.ChargeHistory.Bands[5][0] = {600000, 10};
    for (int b = 6; b < 10; ++b) state.ChargeHistory.Bands[b][0] = {1200000, 10};
    state.ChargeAlert = true;
    state.ChargeAlertPercent = 58;
    for (uint8_t p : {57, 58}) {
        power.Charging(p);
        gauge->OnPowerBroadcast(kPowerStatusChange);
    }
    EXPECT_EQ(gauge->ZetSysTray2.Tip(), "Battery :  58% (charging)\nFull in about 1 h 20 min");
    EXPECT_EQ(shell.balloons.back(), "1: Battery charged to 58 % / You can unplug the charger.");
}

}  // namespace
}  // namespace kavelo
