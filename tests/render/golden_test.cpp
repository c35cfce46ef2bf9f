// Golden pictures: each was rendered once, looked at scaled up, and frozen
// under golden/. Any change to what the gauge draws fails here; after an
// intended change, rerun with KAVELO_UPDATE_GOLDEN=1, look at the pictures
// again (kavelo-render) and commit them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "face_scene.h"
#include "picture_io.h"

namespace kavelo {
namespace {

using scene::Face;
using scene::Scene;
using scene::View;

struct Golden {
    const char* name;
    Scene scene;
    View view;
};

Scene Percent(int p, bool mains = false) {
    Scene s;
    s.face = Face::Percent;
    s.percent = p;
    s.mains = mains;
    return s;
}
Scene Time(int32_t seconds, int percent = 57, int32_t alertMinutes = 10) {
    Scene s;
    s.face = Face::Time;
    s.seconds = seconds;
    s.percent = percent;
    s.alertMinutes = alertMinutes;
    return s;
}
Scene Frame(int f) {
    Scene s = Time(-1);
    s.trayFrame = f;
    return s;
}
Scene Sized(Scene s, int iconSize) { return s.iconSize = iconSize, s; }
Scene Black() {
    Scene s;
    s.face = Face::Black;
    return s;
}
Scene Absent() {
    Scene s;
    s.face = Face::Frame;
    return s;
}

const Golden kGoldens[] = {
    // Percentage faces, 60 x 16.
    {"percent_57_battery", Percent(57), View::Face},
    {"percent_5_mains", Percent(5, true), View::Face},
    {"percent_100_battery", Percent(100), View::Face},
    {"percent_255_battery", Percent(255), View::Face},
    {"percent_9_battery_alert", Percent(9), View::Face},
    {"percent_9_mains", Percent(9, true), View::Face},
    // Time faces, 72 x 16.
    {"time_2h05", Time(7500), View::Face},
    {"time_9h59", Time(40000), View::Face},
    {"time_0h00_alert", Time(100), View::Face},
    {"time_0h00_no_alert", Time(100, 57, 0), View::Face},
    {"time_unknown_8h88", Time(-1), View::Face},
    {"time_unknown_8h88_alert", Time(-1, 57, 600), View::Face},
    {"time_blank", Time(-2), View::Face},
    {"time_2h05_small_below", Time(7500, 9), View::Face},
    {"time_2h05_small_at", Time(7500, 10), View::Face},
    {"time_0h05_both_alert", Time(300, 5), View::Face},
    // Whole windows.
    {"window_percent_57", Percent(57), View::Window},
    {"window_time_2h05", Time(7500), View::Window},
    {"window_frame_absent", Absent(), View::Window},
    {"window_black", Black(), View::Window},
    // Tray pictures, 32 x 16.
    {"tray_time_2h05", Time(7500), View::Tray},
    {"tray_time_alert", Time(300), View::Tray},
    {"tray_percent_57_battery", Percent(57), View::Tray},
    {"tray_percent_57_mains", Percent(57, true), View::Tray},
    {"tray_percent_5_mains", Percent(5, true), View::Tray},
    {"tray_percent_100_battery", Percent(100), View::Tray},
    {"tray_percent_100_mains", Percent(100, true), View::Tray},
    {"tray_unknown_frame_a", Frame(0), View::Tray},
    {"tray_unknown_frame_b", Frame(1), View::Tray},
    {"tray_unknown_frame_c", Frame(2), View::Tray},
    {"tray_unknown_frame_d", Frame(3), View::Tray},
    {"tray_unknown_frame_e", Frame(4), View::Tray},
    {"tray_unknown_frame_f", Frame(5), View::Tray},
    {"tray_black", Black(), View::Tray},
    // Tray pictures drawn at 125 %, 150 % and 175 %: 2S x S.
    {"tray_time_2h05_icon20", Sized(Time(7500), 20), View::Tray},
    {"tray_percent_57_mains_icon24", Sized(Percent(57, true), 24), View::Tray},
    {"tray_unknown_frame_c_icon28", Sized(Frame(2), 28), View::Tray},
};

// Where two pictures differ, for the failure message.
std::string Differences(const PixelBuffer& want, const PixelBuffer& got) {
    std::ostringstream out;
    if (want.Width() != got.Width() || want.Height() != got.Height()) {
        out << "size " << got.Width() << "x" << got.Height() << ", golden " << want.Width()
            << "x" << want.Height();
        return out.str();
    }
    int shown = 0, total = 0;
    for (int y = 0; y < want.Height(); ++y)
        for (int x = 0; x < want.Width(); ++x)
            if (want.Pixel(x, y) != got.Pixel(x, y)) {
                if (shown++ < 8)
                    out << " (" << x << "," << y << ") " << std::hex << got.Pixel(x, y)
                        << " instead of " << want.Pixel(x, y) << std::dec << ";";
                ++total;
            }
    out << " " << total << " pixels differ\nrendered:\n" << io::ToText(got);
    return out.str();
}

class GoldenPicture : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenPicture, MatchesPixelForPixel) {
    const Golden& g = GetParam();
    const PixelBuffer got = scene::Render(g.scene, g.view).picture;
    const std::string path = std::string(KAVELO_GOLDEN_DIR) + "/" + g.name + ".txt";
    if (std::getenv("KAVELO_UPDATE_GOLDEN")) {
        io::WriteText(path, got);
        GTEST_SKIP() << "wrote " << path;
    }
    const PixelBuffer want = io::ReadTextFile(path);
    EXPECT_TRUE(got == want) << g.name << ":" << Differences(want, got);
}

INSTANTIATE_TEST_SUITE_P(Render, GoldenPicture, ::testing::ValuesIn(kGoldens),
                         [](const auto& info) { return std::string(info.param.name); });

// The golden text form itself must round-trip, or the comparison above
// would prove nothing.
TEST(GoldenText, RoundTripsAndRejectsDamage) {
    const PixelBuffer p = scene::Render(Percent(5, true), View::Window).picture;
    EXPECT_EQ(io::FromText(io::ToText(p)), p);
    std::string text = io::ToText(p);
    text.pop_back();
    text.pop_back();  // last row cut short
    EXPECT_THROW(io::FromText(text), std::runtime_error);
    EXPECT_THROW(io::FromText("kavelo-picture 2 1\n. 000000\n\n.?\n"), std::runtime_error);
}

}  // namespace
}  // namespace kavelo
