// The gauge window's behaviour, scenario by scenario, over fakes of the
// window, the application, the menus, the tray and the registry.
#include <gtest/gtest.h>

#include <set>

#include "app/batterie.h"
#include "app/taskbar_theme.h"
#include "fakes/core_fakes.h"
#include "fakes/fake_details.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_window.h"

namespace kavelo {
namespace {

using namespace fakes;

int Cmd(const char* name) { return TPopupMenu::Command(name); }

class Gauge : public ::testing::Test {
protected:
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
    int aboutRuns = 0;
    BatteriePlatform platform{power, clock, timer, window, app, menu, colours, shell, images, errors,
                              registry, glyphs, "C:\\Program Files\\Kavelo\\Kavelo.exe",
                              [this] { ++aboutRuns; }};
    std::unique_ptr<TBatterie> gauge;

    void Start(uint8_t percent = 57, bool mains = false) {
        power.status = {static_cast<uint8_t>(mains ? 1 : 0), percent};
        gauge = std::make_unique<TBatterie>(state, platform);
        window.events = gauge.get();
        gauge->Start();
    }
    void Power(uint8_t percent, bool mains, uint32_t event = kPowerStatusChange) {
        power.status = {static_cast<uint8_t>(mains ? 1 : 0), percent};
        gauge->OnPowerBroadcast(event);
    }
    // The gauge shown instead of tray-only, as a tray double-click does.
    void LeaveTray() { shell.Callback(gauge->ZetSysTray1.WindowHandle(), kLButtonDblClk); }
    // A colour of the face picture at a canvas point (inside the 4-pixel frame).
    Colour FacePixel(int x, int y) const { return window.picture->Pixel(x + 4, y + 4); }
    void Tick() { gauge->OnTimer1(); }
    // The half of the tray picture the icon with this id shows: 0 left, 1 right.
    int HalfShownBy(std::uint32_t id) {
        const WindowId w = (id == 1 ? gauge->ZetSysTray1 : gauge->ZetSysTray2).WindowHandle();
        const auto& shown = images.images.at(images.ImageOf(shell.area.at({w, id}).hIcon));
        for (int half : {0, 1}) {
            const PixelBuffer p = gauge->Image1.TrayPicture().Crop(16 * half, 0, 16, 16);
            if (shown == std::vector<uint32_t>(p.Data(), p.Data() + 256)) return half;
        }
        return -1;
    }
};

TEST_F(Gauge, FirstStartWithoutSettingsComesUpInTheTray) {
    Start();
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(window.shows, 1);  // shown once, then hidden to the tray
    EXPECT_TRUE(gauge->PopupMenu1.Checked("BarreTacheUnique"));
    EXPECT_TRUE(gauge->PopupMenu1.Checked("Toujoursaudessus1"));
    EXPECT_TRUE(window.topmost);
    EXPECT_TRUE(gauge->PopupMenu1.Checked("Afficherletemps1"));
    EXPECT_FALSE(state.PercentMode);
    EXPECT_FALSE(app.taskbarEntry);
    EXPECT_EQ(shell.area.size(), 2u);  // two icons, one per half of the tray picture
    // The right half is added first: the shell puts newer icons on the left.
    ASSERT_GE(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[0].kind, ShellCall::Add);
    EXPECT_EQ(shell.calls[0].data.hWnd, gauge->ZetSysTray2.WindowHandle());
    EXPECT_EQ(shell.calls[1].data.hWnd, gauge->ZetSysTray1.WindowHandle());
    EXPECT_EQ(shell.calls[0].data.uID, 2u);  // each half keeps its id across runs
    EXPECT_EQ(shell.calls[1].data.uID, 1u);
    EXPECT_EQ(images.Count(), 2);
    EXPECT_EQ(window.width, 80);
    EXPECT_EQ(window.height, 24);
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.top, 0);
    EXPECT_TRUE(errors.shown.empty());
    EXPECT_TRUE(app.errors.empty());
}

// On mains every tick is a full refresh: only what changed reaches the
// window and each tray icon (a new tip is a change for both).
TEST_F(Gauge, EachTickSendsOnlyWhatChanged) {
    Start(57, true);
    const struct {
        const char* what;
        uint8_t percent;
        int left, right;
        bool painted;
    } ticks[] = {
        {"nothing changed", 57, 0, 0, false},
        {"58: the right half's picture and both tips", 58, 1, 2, true},
        {"nothing changed again", 58, 0, 0, false},
    };
    for (const auto& t : ticks) {
        const std::size_t calls = shell.calls.size();
        const int pictures = window.pictures;
        power.status = {1, t.percent};
        Tick();
        int left = 0, right = 0;
        for (std::size_t i = calls; i < shell.calls.size(); ++i) ++(shell.calls[i].data.uID == 1 ? left : right);
        EXPECT_EQ(left, t.left) << t.what;
        EXPECT_EQ(right, t.right) << t.what;
        EXPECT_EQ(window.pictures > pictures, t.painted) << t.what;
    }
    EXPECT_EQ(std::string(shell.area.begin()->second.szTip), "Battery :  58% (charging)");
}

TEST_F(Gauge, AWrongTypedSettingIsReportedAndTheGaugeStillWorks) {
    registry.PutString(RegistryRoot::CurrentUser, "Kavelo\\Position", "Tray", "0");
    registry.Put(RegistryRoot::CurrentUser, "Kavelo\\Couleur", "Alerte", RegistryValueType::Dword, {1, 0, 0, 0});
    registry.PutString(RegistryRoot::CurrentUser, "Kavelo", "SeuilAlertePourcent", "30");
    Start(57);
    ASSERT_EQ(app.errors.size(), 1u);
    EXPECT_EQ(app.errors[0], "Type de données incorrect pour 'Alerte'");
    EXPECT_TRUE(window.visible);           // read before the bad value
    EXPECT_EQ(state.AlertPercent, 30);     // after it: as stored too
    EXPECT_EQ(window.caption, "Batterie : 57%");
    EXPECT_EQ(shell.area.size(), 2u);
    EXPECT_EQ(FacePixel(23 + 2, 1), state.NormalColor);  // glyphs loaded, face painted
}

TEST_F(Gauge, AWrongTypedFirstSettingCostsNoOtherAndIsWrittenBackAtTheClose) {
    registry.Put(RegistryRoot::CurrentUser, "Kavelo\\Position", "Top", RegistryValueType::Dword, {1, 0, 0, 0});
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    for (const auto& [key, name, text] : {std::tuple{"Kavelo\\Moyenne\\Temps", "0", "90000"}, {"Kavelo\\Moyenne\\Conso", "0", "1"},
                                          {"Kavelo", "AutoStart", "0"}, {run.c_str(), "Other", "x"}})
        registry.PutString(RegistryRoot::CurrentUser, key, name, text);
    Start();
    EXPECT_EQ(app.errors, (std::vector<std::string>{"Type de données incorrect pour 'Top'"}));
    EXPECT_EQ(std::pair(state.History.Count(), state.AutoStart), std::pair(1, false));  // the rest: as stored too
    gauge->OnDestroy();
    EXPECT_EQ(registry.Get(RegistryRoot::CurrentUser, "Kavelo\\Moyenne\\Temps", "0")->Data.size(), 6u);  // "90000"
    EXPECT_EQ(registry.Get(RegistryRoot::CurrentUser, "Kavelo\\Position", "Top")->Type, RegistryValueType::String);
    EXPECT_FALSE(registry.Get(RegistryRoot::CurrentUser, run, "Kavelo"));  // no logon entry the user had turned off
}

TEST_F(Gauge, AFailedFreshReadingChangesNothingItWouldHaveRead) {
    Start(57, true);
    power.fail = true;
    gauge->OnActivate();
    EXPECT_EQ(window.width, 68);  // still on mains: four cells
    EXPECT_EQ(gauge->ZetSysTray1.Tip(), "Battery :  57% (charging)");
    power.fail = false;
    Power(57, false);
    power.fail = true;
    state.AlertPercent = 60;
    gauge->RefreshStatus();
    EXPECT_EQ(app.information, (std::vector<std::string>{"Warning !!!\r\rBattery low...57% left"}));
}

TEST_F(Gauge, StoredPositionOffTheScreensIsBroughtBack) {
    registry.PutString(RegistryRoot::CurrentUser, "Kavelo\\Position", "Left", "2500");
    registry.PutString(RegistryRoot::CurrentUser, "Kavelo\\Position", "Top", "-400");
    Start();
    EXPECT_EQ(window.left, 800 - 80);
    EXPECT_EQ(window.top, 0);
    gauge.reset();
    registry.PutString(RegistryRoot::CurrentUser, "Kavelo\\Position", "Left", "-50");
    registry.PutString(RegistryRoot::CurrentUser, "Kavelo\\Position", "Top", "590");
    Start();  // partly on the screen: kept
    EXPECT_EQ(window.left, -50);
    EXPECT_EQ(window.top, 590);
}

TEST_F(Gauge, CaptionTitleAndHintFollowTheBattery) {
    Start(57);
    EXPECT_EQ(window.caption, "Batterie : 57%");
    EXPECT_EQ(app.title, "Batterie : 57%");
    EXPECT_EQ(app.hint, "Batterie : 57%");
    EXPECT_TRUE(app.showHint);
    window.minimised = true;
    Power(56, false);
    EXPECT_EQ(window.caption, "Bat. : 56%");
    window.minimised = false;
    Power(kUnknownPercent, false);
    EXPECT_EQ(window.caption, "Batterie : Absente");
    ASSERT_TRUE(window.label.has_value());
    EXPECT_EQ(*window.label, "Absente");
    EXPECT_TRUE(gauge->Label1.Visible);
    Power(55, false);
    EXPECT_FALSE(window.label.has_value());
    EXPECT_EQ(gauge->Label1.Caption, "55%");
}

TEST_F(Gauge, TheAlertMessageComesOncePerEpisodeWhileBlinkingGoesOn) {
    state.AlertPercent = 10;
    Start(12);
    LeaveTray();
    Power(9, false);
    ASSERT_EQ(app.information.size(), 1u);
    EXPECT_EQ(app.information[0], "Warning !!!\r\rBattery low...9% left");
    EXPECT_TRUE(timer.enabled);
    for (int i = 0; i < 6; ++i) Tick();  // blinking: black and face in turn
    Power(8, false);
    EXPECT_EQ(app.information.size(), 1u);
    Power(11, true);  // on mains the alert ends
    Power(11, false);
    Power(7, false);  // and comes back
    EXPECT_EQ(app.information.size(), 2u);
}

// The faces, the tip and the alerts all take the one reading a refresh makes.
TEST_F(Gauge, EachRefreshReadsThePowerOnce) {
    Start(12);
    LeaveTray();
    const struct {
        uint8_t percent;
        bool mains;
        void (*refresh)(TBatterie&);
        const char* tip;
    } refreshes[] = {{9, false, [](TBatterie& g) { g.OnActivate(); }, "Battery :   9%"},
                     {60, true, [](TBatterie& g) { g.OnPowerBroadcast(kPowerStatusChange); }, "Battery :  60% (charging)"},
                     {61, true, [](TBatterie& g) { g.OnTimer1(); }, "Battery :  61% (charging)"}};
    for (const auto& r : refreshes) {
        power.status = {static_cast<uint8_t>(r.mains), r.percent};
        const int reads = power.reads;
        r.refresh(*gauge);
        EXPECT_EQ(std::pair(power.reads - reads, gauge->ZetSysTray1.Tip()), std::pair(1, std::string(r.tip)));
    }
    EXPECT_EQ(app.information, std::vector<std::string>{"Warning !!!\r\rBattery low...9% left"});
}

TEST_F(Gauge, BlinkPhasesPaintBlackThenTheFace) {
    state.AlertPercent = 10;
    Start(5);
    LeaveTray();
    state.PercentMode = true;
    gauge->RefreshStatus();
    ASSERT_TRUE(state.AlertOn);
    state.BlinkPhase = true;
    Tick();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 60; ++x) ASSERT_EQ(FacePixel(x, y), 0u) << x << "," << y;
    Tick();
    EXPECT_EQ(FacePixel(0, 1), 0u);  // plug icon's empty corner
    bool anyAlertPixel = false;
    for (int x = 12; x < 56; ++x)
        for (int y = 1; y < 14; ++y) anyAlertPixel |= FacePixel(x, y) == state.AlertColor;
    EXPECT_TRUE(anyAlertPixel);
}

TEST_F(Gauge, UnknownEstimateAlternatesEightsAndBlank) {
    Start(50);  // empty history
    LeaveTray();
    ASSERT_TRUE(timer.enabled);
    // The top segment of the first large glyph: lit in "8:88", ghost in " :  ".
    const int x = 1 + 2, y = 1;
    Tick();
    EXPECT_EQ(FacePixel(x, y), state.NormalColor);
    Tick();
    EXPECT_EQ(FacePixel(x, y), 0x002000u);
    Tick();
    EXPECT_EQ(FacePixel(x, y), state.NormalColor);
}

TEST_F(Gauge, OnMainsTheTimerPollsAndTheWindowIsNarrow) {
    Start(80, false);
    LeaveTray();
    EXPECT_EQ(window.width, 80);
    Power(80, true);
    EXPECT_EQ(window.width, 68);
    EXPECT_TRUE(timer.enabled);
    power.status = {1, 81};
    const int reads = power.reads;
    Tick();
    EXPECT_GT(power.reads, reads);
    EXPECT_EQ(window.caption, "Batterie : 81%");
    Power(81, false);
    EXPECT_EQ(window.width, 80);
}

TEST_F(Gauge, TimeEstimationToggleSwitchesTheSize) {
    Start(60);
    LeaveTray();
    EXPECT_EQ(window.width, 80);
    gauge->RunCommand(Cmd("Afficherletemps1"));
    EXPECT_TRUE(state.PercentMode);
    EXPECT_FALSE(gauge->PopupMenu1.Checked("Afficherletemps1"));
    EXPECT_EQ(window.width, 68);
    gauge->RunCommand(Cmd("Afficherletemps1"));
    EXPECT_EQ(window.width, 80);
    Power(60, true);
    gauge->RunCommand(Cmd("Afficherletemps1"));
    EXPECT_EQ(window.width, 68);
    gauge->RunCommand(Cmd("Afficherletemps1"));
    EXPECT_EQ(window.width, 68);  // on mains it stays narrow
}

TEST_F(Gauge, MouseClicksOnTheFace) {
    Start();
    LeaveTray();
    ASSERT_TRUE(window.visible);
    // A single left click: down, click, up. Nothing happens.
    gauge->OnMouseDown(MouseButton::Left, 5, 5);
    gauge->OnClick();
    gauge->OnMouseUp(MouseButton::Left, 5, 5);
    EXPECT_TRUE(window.visible);
    EXPECT_TRUE(menu.opened.empty());
    // The second press of a double-click: double-click, then down; up.
    gauge->OnDblClick();
    gauge->OnMouseDown(MouseButton::Left, 5, 5);
    gauge->OnMouseUp(MouseButton::Left, 5, 5);
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(gauge->PopupMenu1.Checked("BarreTacheUnique"));
    EXPECT_FALSE(app.taskbarEntry);

    LeaveTray();
    ASSERT_TRUE(window.visible);
    // A right click: down, up, then the menu at the pointer.
    gauge->OnMouseDown(MouseButton::Right, 3, 4);
    gauge->OnMouseUp(MouseButton::Right, 3, 4);
    gauge->OnContextPopup(700, 500);
    ASSERT_EQ(menu.opened.size(), 1u);
    EXPECT_EQ(menu.opened[0].x, 700);
    EXPECT_EQ(menu.opened[0].y, 500);
    EXPECT_TRUE(window.visible);
    const auto& items = menu.opened[0].items;
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items[0].caption, "&Only on system tray");
    EXPECT_FALSE(items[0].checked);
    EXPECT_EQ(items[2].caption, "&Color");
    ASSERT_EQ(items[2].items.size(), 7u);  // "Match the &taskbar" and a separator first
    EXPECT_EQ(items[2].items[6].caption, "System tray (&shadow)...");
    EXPECT_EQ(items[4].caption, "Battery &details...");
    EXPECT_EQ(items[5].caption, "-");
    EXPECT_EQ(items[6].caption, "A&bout Kavelo");
    EXPECT_EQ(items[8].caption, "&Close");

    // A click whose last release was not the left button: the menu at the
    // window's bottom-right corner, then a posted left release.
    gauge->Image1DblClick();
    ASSERT_EQ(menu.opened.size(), 2u);
    EXPECT_EQ(menu.opened[1].x, window.left + window.width);
    EXPECT_EQ(menu.opened[1].y, window.top + window.height);
    EXPECT_EQ(window.postedLeftUps, 1);
}

TEST_F(Gauge, DragsWithAnyButtonMoveByThePointersDisplacement) {
    Start();
    LeaveTray();
    window.left = 100;
    window.top = 50;
    for (MouseButton b : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
        const int l = window.left, t = window.top;
        gauge->OnMouseDown(b, 10, 8);
        // The window follows, so the pointer stays at the grabbed point in
        // client coordinates once the move is done.
        gauge->OnMouseMove(15, 5);   // +5, -3
        gauge->OnMouseMove(10 - 200, 8 - 100);  // far off the screen
        gauge->OnMouseUp(b, 10, 8);
        EXPECT_EQ(window.left, l + 5 - 200);
        EXPECT_EQ(window.top, t - 3 - 100);
        gauge->OnMouseMove(30, 30);  // released: no more moves
        EXPECT_EQ(window.left, l + 5 - 200);
    }
}

TEST_F(Gauge, TrayIconClicksAndDoubleClicks) {
    Start();
    const WindowId icon1 = gauge->ZetSysTray1.WindowHandle();
    const WindowId icon2 = gauge->ZetSysTray2.WindowHandle();
    shell.cursor = {790, 590};
    shell.Callback(icon1, kLButtonUp);
    shell.Callback(icon2, kMButtonUp);
    EXPECT_TRUE(menu.opened.empty());
    shell.Callback(icon2, kRButtonUp);
    ASSERT_EQ(menu.opened.size(), 1u);
    EXPECT_EQ(menu.opened[0].x, 790);
    EXPECT_EQ(menu.opened[0].y, 590);
    // A double-click with any button toggles tray-only mode.
    shell.Callback(icon2, kRButtonDblClk);
    EXPECT_TRUE(window.visible);
    EXPECT_TRUE(app.taskbarEntry);
    shell.Callback(icon1, kMButtonDblClk);
    EXPECT_FALSE(window.visible);
    // And the menu's own entry.
    menu.choices = {Cmd("BarreTacheUnique")};
    shell.Callback(icon1, kRButtonUp);
    EXPECT_TRUE(window.visible);
    EXPECT_FALSE(gauge->PopupMenu1.Checked("BarreTacheUnique"));
}

// A check item chosen from the menu takes its effect and loses its mark in
// the next menu shown.
TEST_F(Gauge, CheckItemsChosenFromTheMenu) {
    Start();
    const std::tuple<const char*, std::size_t, std::function<bool()>> items[] = {
        {"BarreTacheUnique", 0, [this] { return !window.visible; }},
        {"Toujoursaudessus1", 1, [this] { return window.topmost; }},
        {"Afficherletemps1", 3, [this] { return !state.PercentMode; }}};
    for (const auto& [name, index, effect] : items) {
        menu.choices = {Cmd(name)};
        gauge->OnContextPopup(0, 0);
        gauge->OnContextPopup(0, 0);
        const auto& shown = menu.opened;
        EXPECT_EQ(std::tuple(shown[shown.size() - 2].items[index].checked, shown.back().items[index].checked, effect()),
                  std::tuple(true, false, false)) << name;
    }
}

TEST_F(Gauge, ColourChosenOrCancelled) {
    Start(57);
    LeaveTray();
    state.PercentMode = true;
    colours.answer = 0x00FFFF;  // yellow
    gauge->RunCommand(Cmd("normale1"));
    ASSERT_EQ(colours.presets.size(), 1u);
    EXPECT_EQ(colours.presets[0], 0x00FF00u);
    EXPECT_EQ(state.NormalColor, 0x00FFFFu);
    // The face was refreshed in the new colour: the 5's top segment.
    EXPECT_EQ(FacePixel(23 + 2, 1), 0x00FFFFu);
    colours.answer.reset();
    gauge->RunCommand(Cmd("BarredestchesOmbre1"));
    EXPECT_EQ(colours.presets[1], 0x808080u);
    EXPECT_EQ(state.TrayShadowColor, 0x808080u);
}

TEST_F(Gauge, ResumeEventsRestartMeasuring) {
    Start(80);
    state.History.AddSample(60000, 1);
    Power(79, false);
    Power(78, false);
    const int before = state.History.Count();
    for (uint32_t resume : {7u, 18u}) {
        clock.ms += 3600000;
        Power(state.LastPercent, false, resume);
        clock.ms += 60000;
        Power(static_cast<uint8_t>(state.LastPercent - 1), false);
        EXPECT_EQ(state.History.Count(), before) << resume;
    }
}

TEST_F(Gauge, CloseSavesAndRemovesTheIcons) {
    Start();
    gauge->RunCommand(Cmd("Fermer1"));
    EXPECT_TRUE(window.closed);
    gauge->OnDestroy();
    gauge.reset();
    EXPECT_TRUE(shell.area.empty());
    EXPECT_TRUE(registry.Get(RegistryRoot::CurrentUser, "Kavelo\\Position", "Tray").has_value());
}

TEST_F(Gauge, SessionEndAndSuspendSaveTheLearnedHistory) {
    Start(80);
    state.History.AddSample(90000, 1);
    gauge->OnEndSession();
    EXPECT_TRUE(registry.Get(RegistryRoot::CurrentUser, "Kavelo\\Moyenne\\Temps", "0").has_value());
    const size_t writes = registry.Changes().size();
    gauge->OnEndSession();  // once
    EXPECT_EQ(registry.Changes().size(), writes);
    state.History.AddSample(70000, 1);
    Power(80, false, kPowerSuspend);
    auto second = registry.Get(RegistryRoot::CurrentUser, "Kavelo\\Moyenne\\Temps", "1");
    ASSERT_TRUE(second.has_value());
}

// k = DPI / 96 rounded, halves up, >= 1: size and picture times k where Windows suggests; the same DPI moves nothing.
TEST_F(Gauge, FollowsItsMonitorsScaleToTheSuggestedRectangle) {
    Start();
    LeaveTray();
    const PixelBuffer at96 = *window.picture;
    for (const auto& [dpi, k] : {std::pair{144, 2}, {72, 1}, {120, 1}, {143, 1}, {168, 2}, {239, 2}, {240, 3},
                                 {336, 4}, {96, 1}}) {
        const int previous = std::exchange(window.dpi, dpi), repaints = window.repaints;
        gauge->OnDpiChanged(previous, {dpi, 2 * dpi, 1, 1});
        EXPECT_EQ(std::pair(window.Bounds(), window.repaints), std::pair(WindowBounds{dpi, 2 * dpi, 80 * k, 24 * k}, repaints + 1));
        EXPECT_EQ(*window.picture, ScaleUp(at96, k));
    }
    gauge->OnDpiChanged(96, {5, 5, 1, 1});
    EXPECT_EQ(window.Bounds(), (WindowBounds{96, 192, 80, 24}));
}

TEST_F(Gauge, TrayIconsFollowTheNotificationAreasIconSize) {
    shell.iconSize = 24;
    Start();
    int size = 24;
    for (std::uint32_t message : {kDpiChangedMessage, kSettingChangeMessage, kDisplayChangeMessage,
                                  FakeShell::kTaskbarCreated}) {
        shell.iconSize = size += 8;
        for (TZetSysTray* tray : {&gauge->ZetSysTray1, &gauge->ZetSysTray2})
            shell.Send(tray->WindowHandle(), message, 0, 0);
        const PixelBuffer right = gauge->Image1.TrayPicture().Crop(size, 0, size, size);
        ASSERT_EQ(images.Count(), 2);
        EXPECT_EQ(images.images[1], std::vector<uint32_t>(right.Data(), right.Data() + size * size));
        EXPECT_EQ(images.ImageOf(shell.area.at({gauge->ZetSysTray2.WindowHandle(), 2}).hIcon), 1);
        EXPECT_EQ(images.LiveIcons(), 2);  // every icon replaced was destroyed
    }
}

// The places the shell gives, in turn; then the id of the icon that shows
// the left half. Read when the pointer rests over an icon (at most once a
// second) and after a new taskbar; nothing is added again for it.
TEST_F(Gauge, TheLeftHalfGoesToTheIconThatStandsOnTheLeft) {
    const ScreenRect at700{700, 580, 716, 596}, at716{716, 580, 732, 596}, below{700, 600, 716, 616};
    const std::pair<std::map<std::uint32_t, ScreenRect>, std::uint32_t> steps[] = {
        {{}, 1},                          // the shell can't say
        {{{1, at716}, {2, at700}}, 2},    // swapped
        {{{1, at700}}, 2},                // one unknown keeps the order
        {{{1, at700}, {2, below}}, 2},    // so do two rows
        {{{1, at700}, {2, at716}}, 1},    // order restored
    };
    Start();
    for (const auto& [places, leftOn] : steps) {
        shell.places = places;
        clock.Advance(1000);
        shell.Callback(gauge->ZetSysTray1.WindowHandle(), kMouseMove);
        EXPECT_EQ(std::pair(HalfShownBy(leftOn), HalfShownBy(3 - leftOn)), std::pair(0, 1)) << leftOn;
    }
    shell.places = {{1, at716}, {2, at700}};
    shell.Callback(gauge->ZetSysTray1.WindowHandle(), kMouseMove);  // within the second
    EXPECT_EQ(HalfShownBy(1), 0);
    shell.RestartTaskbar();
    EXPECT_EQ(HalfShownBy(2), 0);
    EXPECT_EQ(shell.Count(ShellCall::Add), 4);
}

// The tip's rate line is read again when the percentage or the source
// changes and on a pointer visit (at most once a second), never on a quiet
// tick; the menu's details command opens one details window.
TEST_F(Gauge, TheTipTellsTheRateReadOnlyWhenSomethingChanged) {
    FakeFigures figures;
    FakeDetailsWindows details;
    platform.figures = &figures;
    platform.detailsWindows = &details;
    Start(57);
    using Self = std::remove_reference_t<decltype(*this)>;
    EXPECT_EQ(gauge->ZetSysTray1.Tip(), "Battery :  57%\nDischarging at 5.5 W");
    const auto visit = [](Self& t) { t.shell.Callback(t.gauge->ZetSysTray1.WindowHandle(), kMouseMove); };
    const struct {
        int32_t rate;
        void (*step)(Self&);
        int reads;
        const char* tip;
    } steps[] = {
        {-45000, [](Self& t) { t.power.Charging(57), t.gauge->OnPowerBroadcast(kPowerStatusChange); }, 1,
         "Battery :  57% (charging)\nCharging at 45.0 W"},
        {-1000, [](Self& t) { t.Tick(); }, 0, "Battery :  57% (charging)\nCharging at 45.0 W"},
        {-1000, [](Self& t) { t.clock.Advance(1000); }, 0, "Battery :  57% (charging)\nCharging at 45.0 W"},
        {-1000, visit, 1, "Battery :  57% (charging)\nCharging at 1.0 W"},
        {-2000, visit, 0, "Battery :  57% (charging)\nCharging at 1.0 W"},
        {-2000, [](Self& t) { t.Power(56, false); }, 1, "Battery :  56%\nDischarging at 2.0 W"},
        {kUnknownRate, [](Self& t) { t.Power(55, false); }, 1, "Battery :  55%"},
    };
    for (const auto& s : steps) {
        figures.energy.rateMw = s.rate;
        const int reads = figures.energyReads;
        s.step(*this);
        EXPECT_EQ(std::pair(figures.energyReads - reads, gauge->ZetSysTray1.Tip()), std::pair(s.reads, std::string(s.tip)));
    }
    gauge->RunCommand(Cmd("Details1"));
    gauge->RunCommand(Cmd("Details1"));
    EXPECT_EQ(std::pair(details.opened, details.last->fronts), std::pair(1, 1));
}

// Balloons come from the icon showing the left half: on a first run, and
// when charging reaches the alert's level; the tip then also tells the time
// to full. (A later start's silence is seen end to end.)
TEST_F(Gauge, BalloonsAndTheTimeToFull) {
    shell.places = {{1, {716, 580, 732, 596}}, {2, {700, 580, 716, 596}}};
    Start();
    ASSERT_EQ(shell.balloons.size(), 1u);
    EXPECT_EQ(shell.balloons[0].substr(0, 22), "2: Kavelo is running /");
    state.ChargeHistory.Bands[5][0] = {600000, 10};
    for (int b = 6; b < 10; ++b) state.ChargeHistory.Bands[b][0] = {1200000, 10};
    state.ChargeAlert = true;
    state.ChargeAlertPercent = 58;
    for (uint8_t p : {57, 58}) {
        power.Charging(p);
        gauge->OnPowerBroadcast(kPowerStatusChange);
    }
    EXPECT_EQ(gauge->ZetSysTray1.Tip(), "Battery :  58% (charging)\nFull in about 1 h 20 min");
    EXPECT_EQ(shell.balloons.back(), "2: Battery charged to 58 % / You can unplug the charger.");
}

TEST_F(Gauge, AnErrorInAHandlerGoesToTheErrorBox) {
    Start();
    colours.answer = 0x123456;
    // A handler that throws: the options dialog's runner here.
    platform.runAboutBox = [] { throw std::runtime_error("Dialog failed"); };
    gauge->OnContextPopup(0, 0);  // nothing chosen
    menu.choices = {Cmd("APropos1")};
    gauge->OnContextPopup(0, 0);
    ASSERT_EQ(app.errors.size(), 1u);
    EXPECT_EQ(app.errors[0], "Dialog failed");
}

// Ticked, the picture suits the taskbar's theme (none stored: dark), the
// alert colour still replacing its glyphs', and follows a change at once; a
// change that changes nothing sends nothing.
TEST_F(Gauge, MatchTheTaskbarFollowsItsThemeAtOnce) {
    Start(5);  // under the alert's 10 %
    gauge->RunCommand(Cmd("TrayAuto1"));
    EXPECT_TRUE(state.TrayAuto && gauge->PopupMenu1.Checked("TrayAuto1") && images.Alpha());
    const PixelBuffer& p = gauge->Image1.TrayPicture();
    EXPECT_EQ(std::set<Colour>(p.Data(), p.Data() + 512),
              (std::set<Colour>{kClear, kOpaque | state.AlertColor, kOpaque | ThemeShadowColour(TrayTheme::Dark)}));
    using T = RegistryValueType;  // each step: the value, the theme, what the two icons are sent
    const std::tuple<T, std::vector<uint8_t>, TrayTheme, std::size_t> steps[] = {
        {T::Dword, {1, 0, 0, 0}, TrayTheme::Light, 2}, {T::Dword, {1, 0, 0, 0}, TrayTheme::Light, 0},
        {T::String, {'1', 0}, TrayTheme::Dark, 2}, {T::Dword, {0, 0, 0, 0}, TrayTheme::Dark, 0}};
    for (const auto& [type, data, theme, sent] : steps) {
        registry.Put(RegistryRoot::CurrentUser, kPersonalizeKey, kLightThemeValue, type, data);
        const std::size_t before = shell.calls.size();
        for (TZetSysTray* t : {&gauge->ZetSysTray1, &gauge->ZetSysTray2})
            shell.Send(t->WindowHandle(), kSettingChangeMessage, 0, reinterpret_cast<std::intptr_t>("ImmersiveColorSet"));
        EXPECT_EQ(std::pair(gauge->Image1.GetTrayTheme(), shell.calls.size() - before), std::pair(theme, sent));
    }
    gauge->RunCommand(Cmd("TrayAuto1"));  // unticked: the classic picture
    EXPECT_EQ(std::pair(gauge->Image1.TrayPicture().Pixel(0, 0), images.Alpha()), std::pair(kTraySilver, false));
}

}  // namespace
}  // namespace kavelo
