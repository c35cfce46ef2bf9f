#pragma once
// One picture of the gauge, painted by the real GaugeFace from a few
// settings: what kavelo-render writes and what the golden tests compare.
#include <cstdint>
#include <string>

#include "core/gauge_state.h"
#include "core/stored_settings.h"
#include "render/pixel_buffer.h"
#include "render/tray_picture.h"

namespace kavelo::scene {

enum class Face {
    Percent,  // DrawPercentFace
    Time,     // DrawTimeFace
    Black,    // the blank alert phase
    Frame,    // the window frame alone, as round the "Absente" label
};

enum class View {
    Face,       // the visible image: 60 x 16 (four cells) or 72 x 16 (five)
    Canvas,     // the whole 72 x 16 canvas
    Window,     // frame and face, 68 x 24 or 80 x 24
    Tray,       // both tray icons, 2S x S (32 x 16 at 96 DPI)
    TrayLeft,   // left tray icon, S x S
    TrayRight,  // right tray icon, S x S
};

struct Scene {
    Face face = Face::Percent;
    int percent = 57;        // the percentage face's value; the battery reading of the time face
    int32_t seconds = 7500;  // the time face's estimate; -1 unknown, -2 its blank phase
    bool mains = false;
    bool percentMode = false;  // window of four cells even on battery
    bool blink = false;        // BlinkPhase while painting
    int trayFrame = -1;        // 0-5: the animation frame (A-F) that the tray shows; -1: as at start
    int iconSize = 16;         // the notification area's icon size S
    TrayTheme trayTheme = TrayTheme::Classic;
    // The settings, as a first run has them.
    int32_t alertPercent = StoredDefault(&GaugeState::AlertPercent);
    int32_t alertMinutes = StoredDefault(&GaugeState::AlertMinutes);
    Colour normalColor = StoredDefault(&GaugeState::NormalColor);
    Colour alertColor = StoredDefault(&GaugeState::AlertColor);
    Colour trayColor = StoredDefault(&GaugeState::TrayColor);
    Colour trayPlugedColor = StoredDefault(&GaugeState::TrayPlugedColor);
    Colour trayShadowColor = StoredDefault(&GaugeState::TrayShadowColor);
};

// Window width for the scene: four cells when the percentage face is shown,
// in percentage mode or on mains; five otherwise.
int WindowWidth(const Scene& scene);

struct Result {
    PixelBuffer picture;
    bool alertOn = false;
};
// Throws std::invalid_argument for values out of range.
Result Render(const Scene& scene, View view);

bool ParseFace(const std::string& name, Face& face);
bool ParseView(const std::string& name, View& view);

}  // namespace kavelo::scene
