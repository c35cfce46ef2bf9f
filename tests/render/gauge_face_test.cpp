#include "render/gauge_face.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/face_rig.h"
#include "render/segments.h"
#include "render/tray_picture.h"

namespace kavelo {
namespace {

using testing::FaceRig;

// The canvas pixels that are lit in a block: any colour but black and ghost.
std::set<Colour> LitColours(const PixelBuffer& p, int l, int t, int r, int b) {
    std::set<Colour> out;
    for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x)
            if (p.Pixel(x, y) != kBlack && p.Pixel(x, y) != kGhost) out.insert(p.Pixel(x, y));
    return out;
}
const std::set<Colour> kNormalOnly{0x00FF00}, kAlertOnly{0x0000FF};

TEST(TimeFaceText, RoundsToFiveMinutesAndCapsAtNineFiftyNine) {
    struct Case {
        int32_t seconds;
        const char* text;
        int32_t minutes;
    };
    const Case cases[] = {
        {7500, "2:05", 125}, {7380, "2:05", 125}, {7320, "2:00", 120},
        {35880, "9:59", 599}, {35879, "9:55", 595}, {2147483647, "9:59", 599},
        {0, "0:00", 0},      {179, "0:00", 0},     {180, "0:05", 5},
        {479, "0:05", 5},    {480, "0:10", 10},    {3600, "1:00", 60},
        {-1, "8:88", 568},   {-2, " :  ", -2},     {-7, "8:88", 568},
    };
    for (const Case& c : cases) {
        const TimeFaceText t = TimeFaceTextFor(c.seconds);
        EXPECT_EQ(t.text, c.text) << c.seconds;
        EXPECT_EQ(t.minutes, c.minutes) << c.seconds;
    }
    EXPECT_EQ(PercentText(5), "  5%");
    EXPECT_EQ(PercentText(255), "255%");
}

TEST(TimeFace, MinutesAlertIsStrictlyBelowTheThreshold) {
    FaceRig rig;  // AlertMinutes 10, AlertPercent 10, battery at 57 %
    rig.face.DrawTimeFace(600);  // 10 minutes
    EXPECT_FALSE(rig.state.AlertOn);
    EXPECT_FALSE(rig.timer.enabled);
    EXPECT_EQ(LitColours(rig.face.Canvas(), 0, 0, 45, 16), kNormalOnly);

    rig.face.DrawTimeFace(300);  // 5 minutes
    EXPECT_TRUE(rig.state.AlertOn);
    EXPECT_TRUE(rig.timer.enabled);
    EXPECT_EQ(LitColours(rig.face.Canvas(), 0, 0, 45, 16), kAlertOnly);
    EXPECT_EQ(LitColours(rig.face.Canvas(), 48, 0, 72, 16), kNormalOnly);  // 57 % is fine
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0], "Warning !!!\r\rBattery low...57% left");

    rig.face.DrawTimeFace(240);  // still in alert: no second message
    EXPECT_EQ(rig.messages.shown.size(), 1u);
    rig.face.DrawTimeFace(7500);  // alert over
    EXPECT_FALSE(rig.state.AlertOn);
}

TEST(TimeFace, UnknownEstimateCountsAs568Minutes) {
    FaceRig rig;
    rig.face.DrawTimeFace(-1);
    EXPECT_FALSE(rig.state.AlertOn);
    EXPECT_EQ(LitColours(rig.face.Canvas(), 0, 0, 45, 16), kNormalOnly);

    rig.state.AlertMinutes = 600;
    rig.face.DrawTimeFace(-1);
    EXPECT_TRUE(rig.state.AlertOn);
    EXPECT_EQ(LitColours(rig.face.Canvas(), 0, 0, 45, 16), kAlertOnly);

    rig.face.DrawTimeFace(-2);  // the blank phase never alerts on minutes
    EXPECT_FALSE(rig.state.AlertOn);
    EXPECT_EQ(LitColours(rig.face.Canvas(), 0, 0, 45, 16), kNormalOnly);  // the colon
}

// An unreadable charge (255) is never under a threshold.
TEST(TimeFace, SmallPercentageAlertsOnItsOwnBelowThreshold) {
    for (const auto& [percent, threshold, alert] : {std::tuple{9, 10, true}, {10, 10, false}, {255, 100, false}}) {
        FaceRig rig;
        rig.state.Power = {0, static_cast<uint8_t>(percent)};
        rig.state.AlertPercent = threshold;
        rig.face.DrawTimeFace(7500);
        EXPECT_EQ(std::tuple(rig.state.AlertOn, LitColours(rig.face.Canvas(), 48, 0, 72, 16), rig.messages.shown.size()),
                  std::tuple(alert, alert ? kAlertOnly : kNormalOnly, std::size_t{alert})) << percent;
        EXPECT_EQ(LitColours(rig.face.Canvas(), 0, 0, 45, 16), kNormalOnly);
    }
}

// The alert's box opens halfway through a paint and keeps dispatching ticks:
// the window must show a finished face under it, and a face painted from a
// tick must not blend into the one being painted.
TEST(TimeFace, AlertBoxSeesAFinishedFaceAndNestedPaintsDoNotMix) {
    FaceRig rig;
    rig.face.DrawTimeFace(7500);
    const PixelBuffer before = rig.face.Canvas();
    bool finishedUnderBox = false;
    rig.messages.onShow = [&] {
        finishedUnderBox = rig.face.Canvas() == before;
        rig.state.BlinkPhase = true;
        rig.face.DrawBlackPhase();  // a tick's blank phase while the box is open
        rig.state.BlinkPhase = false;
    };
    rig.face.DrawTimeFace(300);
    EXPECT_TRUE(finishedUnderBox);
    FaceRig clean;
    clean.state.AlertShown = true;  // no box
    clean.face.DrawTimeFace(300);
    EXPECT_EQ(rig.face.Canvas(), clean.face.Canvas());
    EXPECT_EQ(rig.face.TrayPicture(), clean.face.TrayPicture());
}

TEST(PercentFace, AlertsOnBatteryOnlyAndLightsThePlugOnMains) {
    FaceRig rig;
    rig.face.DrawPercentFace(9);
    EXPECT_TRUE(rig.state.AlertOn);
    EXPECT_EQ(LitColours(rig.face.Canvas(), 0, 0, 60, 16), kAlertOnly);
    EXPECT_EQ(rig.face.Canvas().Pixel(6, 8), kGhost);  // ghost plug on battery
    EXPECT_EQ(rig.messages.shown.size(), 1u);

    rig.face.DrawPercentFace(10);
    EXPECT_FALSE(rig.state.AlertOn);
    EXPECT_EQ(LitColours(rig.face.Canvas(), 0, 0, 60, 16), kNormalOnly);

    rig.state.OnMains = true;
    rig.state.NormalColor = 0xFF8000;
    rig.face.DrawPercentFace(9);
    EXPECT_FALSE(rig.state.AlertOn);
    EXPECT_EQ(rig.face.Canvas().Pixel(6, 8), 0xFF8000u);  // plug body in the brush colour
    EXPECT_EQ(rig.face.Canvas().Pixel(6, 1), kMarkRed);   // mark stays red
}

TEST(ShowPercent, CountsDownAndTheAlertStartsAtTheStepThatPaintsNine) {
    FaceRig rig;
    rig.state.Power = {0, 5};
    int paintsAtMessage = -1;
    bool alertColourAtMessage = false;
    rig.messages.onShow = [&] {
        paintsAtMessage = rig.host.Count("tray");
        alertColourAtMessage = LitColours(rig.face.Canvas(), 12, 0, 60, 16) == kAlertOnly;
    };
    rig.face.ShowPercent(5);
    EXPECT_EQ(rig.host.Count("tray"), 96);  // 100, 99, ..., 5
    EXPECT_EQ(rig.host.Count("process"), 2 * 95);
    EXPECT_EQ(paintsAtMessage, 92);  // 100 down to 9
    EXPECT_TRUE(alertColourAtMessage);
    EXPECT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.state.ShownPercent, 5);
    EXPECT_FALSE(rig.state.FaceAnimating);
    // Messages are processed twice between two paints, never after the last.
    EXPECT_EQ(rig.host.log.back(), "tray");
    EXPECT_EQ(rig.host.log[rig.host.log.size() - 3], "process");
}

TEST(ShowPercent, CountsUpOnePointAtATime) {
    FaceRig rig;
    rig.state.ShownPercent = 5;
    rig.state.OnMains = true;
    std::vector<PixelBuffer> faces;
    rig.host.onProcess = [&] { faces.push_back(rig.face.Canvas()); };
    rig.face.ShowPercent(8);
    ASSERT_EQ(faces.size(), 6u);  // twice after each of 5, 6, 7
    FaceRig other;
    other.state.OnMains = true;
    for (int i = 0; i < 3; ++i) {
        other.face.DrawPercentFace(uint8_t(5 + i));
        EXPECT_EQ(faces[size_t(2 * i)], other.face.Canvas()) << 5 + i;
    }
    other.face.DrawPercentFace(8);
    EXPECT_EQ(rig.face.Canvas(), other.face.Canvas());
}

TEST(ShowPercent, ANestedCallIsDroppedAndNotRemembered) {
    FaceRig rig;
    rig.state.ShownPercent = 60;
    int nested = 0;
    rig.host.onProcess = [&] {
        if (nested++ == 0) rig.face.ShowPercent(20);
    };
    rig.face.ShowPercent(57);
    EXPECT_EQ(rig.host.Count("tray"), 4);  // 60, 59, 58, 57 only
    EXPECT_EQ(rig.state.ShownPercent, 57);
    EXPECT_FALSE(rig.state.FaceAnimating);
}

TEST(ShowPercent, TheValueShownIsPaintedOnce) {
    FaceRig rig;
    rig.state.ShownPercent = 9;
    rig.face.ShowPercent(9);
    EXPECT_EQ(rig.host.log, (std::vector<std::string>{"changed", "tray"}));
    EXPECT_EQ(rig.state.ShownPercent, 9);
    EXPECT_EQ(rig.messages.shown.size(), 1u);  // its alert check ran
}

TEST(ShowPercent, AnErrorDuringTheCountDoesNotFreezeTheFace) {
    FaceRig rig;
    rig.state.ShownPercent = 60;
    rig.host.onProcess = [&] { throw std::runtime_error("handler failed"); };
    EXPECT_THROW(rig.face.ShowPercent(50), std::runtime_error);
    EXPECT_FALSE(rig.state.FaceAnimating);
    EXPECT_EQ(rig.state.ShownPercent, 60);  // what the face shows
    rig.host.onProcess = nullptr;
    rig.face.ShowPercent(58);
    EXPECT_EQ(rig.state.ShownPercent, 58);
}

TEST(TrayImages, UnknownEstimateTurnsTheBarAndKeepsTheTimerRunning) {
    FaceRig rig;
    std::vector<PixelBuffer> frames;
    for (int i = 0; i < 7; ++i) {
        rig.timer.enabled = false;
        rig.face.DrawTimeFace(i % 2 ? -2 : -1);
        EXPECT_TRUE(rig.timer.enabled) << i;
        frames.push_back(rig.face.TrayPicture());
    }
    // B, C, D, E, F, A, B: letters three apart are the same bars.
    EXPECT_EQ(rig.state.TrayAnimFrame, 1);
    EXPECT_EQ(frames[0], frames[3]);  // B and E
    EXPECT_EQ(frames[1], frames[4]);  // C and F
    EXPECT_EQ(frames[2], frames[5]);  // D and A
    EXPECT_EQ(frames[0], frames[6]);
    EXPECT_NE(frames[0], frames[1]);
    EXPECT_NE(frames[1], frames[2]);
    EXPECT_NE(frames[0], frames[2]);
    PixelBuffer b(32, 16, kTraySilver);
    DrawTrayText(b, "B:BB", false, rig.state.TrayColor, rig.state.TrayShadowColor,
                 rig.face.Strips().OnlineBitmap);
    EXPECT_EQ(frames[0], b);
}

TEST(TrayImages, HalvesGoToTheTwoIcons) {
    FaceRig rig;
    rig.face.DrawTimeFace(7500);
    ASSERT_EQ(rig.host.trays, 1);
    EXPECT_EQ(rig.host.left, rig.face.TrayPicture().Crop(0, 0, 16, 16));
    EXPECT_EQ(rig.host.right, rig.face.TrayPicture().Crop(16, 0, 16, 16));
}

TEST(TrayImages, AlertColourReplacesTheGlyphsButNotTheShadow) {
    FaceRig rig;
    rig.state.OnMains = true;
    rig.state.TrayPlugedColor = 0x00FFFF;
    rig.state.TrayShadowColor = 0x404040;
    rig.state.AlertColor = 0xFF00FF;
    rig.state.AlertOn = true;
    rig.face.BuildTrayImages(" 57%");
    std::set<Colour> used;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) used.insert(rig.face.TrayPicture().Pixel(x, y));
    EXPECT_EQ(used, (std::set<Colour>{kTraySilver, 0x404040, 0xFF00FF, kPlugTeal, kMarkRed}));
}

TEST(BlackPhase, FaceBlackTrayPlainTipUntouched) {
    FaceRig rig;
    rig.face.DrawTimeFace(300);  // alert
    rig.host.log.clear();
    rig.state.BlinkPhase = true;
    rig.face.DrawBlackPhase();
    EXPECT_EQ(rig.face.Canvas(), PixelBuffer(72, 16, kBlack));
    EXPECT_EQ(rig.face.TrayPicture(), PixelBuffer(32, 16, kTraySilver));
    EXPECT_EQ(rig.host.left, PixelBuffer(16, 16, kTraySilver));
    EXPECT_EQ(rig.host.log, (std::vector<std::string>{"changed", "tray"}));
    EXPECT_TRUE(rig.state.AlertOn);
}

}  // namespace
}  // namespace kavelo
