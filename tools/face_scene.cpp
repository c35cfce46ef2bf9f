#include "face_scene.h"

#include <stdexcept>

#include "core/low_battery_alert.h"
#include "fakes/core_fakes.h"
#include "fakes/fake_face_host.h"
#include "render/gauge_face.h"
#include "render/window_picture.h"

namespace kavelo::scene {

int WindowWidth(const Scene& scene) {
    const bool fourCells = scene.face == Face::Percent || scene.percentMode || scene.mains;
    return fourCells ? kPercentWindowWidth : kTimeWindowWidth;
}

Result Render(const Scene& scene, View view) {
    if (scene.percent < 0 || scene.percent > 255)
        throw std::invalid_argument("percentage must be 0 to 255");
    if (scene.trayFrame < -1 || scene.trayFrame > 5)
        throw std::invalid_argument("tray frame must be 0 to 5");
    if (scene.iconSize < 16 || scene.iconSize > 256)
        throw std::invalid_argument("icon size must be 16 to 256");
    GaugeState state;
    state.OnMains = scene.mains;
    state.PercentMode = scene.percentMode;
    state.BlinkPhase = scene.blink;
    state.AlertPercent = scene.alertPercent;
    state.AlertMinutes = scene.alertMinutes;
    state.NormalColor = scene.normalColor;
    state.AlertColor = scene.alertColor;
    state.TrayColor = scene.trayColor;
    state.TrayPlugedColor = scene.trayPlugedColor;
    state.TrayShadowColor = scene.trayShadowColor;
    const auto percent = static_cast<uint8_t>(scene.percent);
    state.Power = {uint8_t(scene.mains ? 1 : 0), percent};
    // The frame shown is the one after the current one.
    if (scene.trayFrame >= 0) state.TrayAnimFrame = uint8_t((scene.trayFrame + 5) % 6);

    fakes::FakeTimer timer;
    fakes::FakeFaceHost quiet;
    quiet.logging = false;
    fakes::FakeMessages messages;
    LowBatteryAlert alert(state, messages);
    GaugeFace face(state, timer, alert, quiet);
    face.LoadGlyphStrips(EmbeddedGlyphSource());
    face.SetTrayIconSize(scene.iconSize);
    face.SetTrayTheme(scene.trayTheme);

    const int width = WindowWidth(scene);
    switch (scene.face) {
    case Face::Percent:
        face.DrawPercentFace(percent);
        break;
    case Face::Time:
        face.DrawTimeFace(scene.seconds);
        break;
    case Face::Black:
        // The timer paints this phase only during an alert, in its blank half.
        state.AlertOn = true;
        state.BlinkPhase = true;
        face.DrawBlackPhase();
        break;
    case Face::Frame:
        if (view != View::Window) throw std::invalid_argument("the frame has only a window view");
        return {WindowFrame(width, kWindowHeight), false};
    }

    Result result;
    result.alertOn = state.AlertOn;
    switch (view) {
    case View::Face:
        result.picture = face.Canvas().Crop(0, 0, width - 2 * kPanelFrame, kCanvasHeight);
        break;
    case View::Canvas:
        result.picture = face.Canvas();
        break;
    case View::Window:
        result.picture = WindowPicture(face.Canvas(), width, kWindowHeight);
        break;
    case View::Tray:
        result.picture = face.TrayPicture();
        break;
    case View::TrayLeft:
        result.picture = quiet.left;
        break;
    case View::TrayRight:
        result.picture = quiet.right;
        break;
    }
    return result;
}

bool ParseFace(const std::string& name, Face& face) {
    if (name == "percent") face = Face::Percent;
    else if (name == "time") face = Face::Time;
    else if (name == "black") face = Face::Black;
    else if (name == "frame") face = Face::Frame;
    else return false;
    return true;
}

bool ParseView(const std::string& name, View& view) {
    if (name == "face") view = View::Face;
    else if (name == "canvas") view = View::Canvas;
    else if (name == "window") view = View::Window;
    else if (name == "tray") view = View::Tray;
    else if (name == "tray-left") view = View::TrayLeft;
    else if (name == "tray-right") view = View::TrayRight;
    else return false;
    return true;
}

}  // namespace kavelo::scene
