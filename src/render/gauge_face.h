#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/gauge_state.h"
#include "core/low_battery_alert.h"
#include "core/timer.h"
#include "render/glyph_source.h"
#include "render/glyph_text.h"
#include "render/pixel_buffer.h"
#include "render/tray_picture.h"

namespace kavelo {

// What the faces need of the gauge window.
class FaceHost {
public:
    virtual ~FaceHost() = default;
    // The application processes its pending messages once.
    virtual void ProcessMessages() = 0;
    // The canvas changed: the window should repaint.
    virtual void FaceChanged() = 0;
    // The two S x S tray pictures are new: clear the image list, add both,
    // activate both tray icons and update them, left then right.
    virtual void SetTrayImages(const PixelBuffer& left, const PixelBuffer& right) = 0;
};

inline constexpr int kCanvasWidth = 72;  // five cells; the percentage face shows 60
inline constexpr int kCanvasHeight = 16;

// The gauge's picture and its tray icons. Painting a face decides AlertOn,
// picks the glyph colour, and rebuilds the tray pictures from the same text.
class GaugeFace {
public:
    // The small percentage is the charge of the refresh's reading
    // (state.Power): a face never reads the power status itself.
    GaugeFace(GaugeState& state, Timer& timer1, LowBatteryAlert& alert, FaceHost& host);

    // Loads "CHIFFRES", "ONLINE", "OFFLINE", "GRANDS" in that order; throws
    // on malformed data. Must run before anything is painted.
    void LoadGlyphStrips(const GlyphBitmapSource& source);

    // The time face for an estimate in seconds, -1 when it is unknown ("8:88")
    // or -2 for the unknown estimate's blank phase (" :  ").
    void DrawTimeFace(int32_t estimate);
    // The percentage face, plug icon lit on mains.
    void DrawPercentFace(uint8_t percent);
    // Steps the percentage face one point at a time from ShownPercent to
    // `percent`, letting the application process its messages twice between
    // steps. A call made while stepping is dropped.
    void ShowPercent(uint8_t percent);
    // The blank phase of an alert: the face black, the tray pictures plain.
    void DrawBlackPhase();
    // Rebuilds both tray pictures for a face's text and hands them over.
    void BuildTrayImages(const std::string& text);
    // The notification area's icon size S (16 at 96 DPI). A new size
    // redraws the last tray text at it and hands both icons over again.
    void SetTrayIconSize(int size);
    // The tray picture's look. A new look redraws the last tray text in it
    // and hands both icons over again; the look it has changes nothing.
    void SetTrayTheme(TrayTheme theme);
    TrayTheme GetTrayTheme() const { return trayTheme_; }
    // Small percentage text on `canvas`; below AlertPercent it is drawn in
    // AlertColor and raises the alert.
    void DrawSmallText(PixelBuffer& canvas, int left, int top, const std::string& text);

    // Image1, 72 x 16. Always a finished picture: each face is drawn apart
    // and replaces it whole, so the alert's message box, which opens halfway
    // through a paint and lets the timer paint underneath, never shows a
    // half-drawn face nor leaves a mixture of two.
    const PixelBuffer& Canvas() const { return canvas_; }
    const PixelBuffer& TrayPicture() const { return tray_; }  // 2S x S, both icons
    const GlyphStrips& Strips() const { return strips_; }

private:
    void Publish(PixelBuffer&& picture);
    void DrawTray();

    GaugeState& state_;
    Timer& timer1_;
    LowBatteryAlert& alert_;
    FaceHost& host_;
    GlyphStrips strips_;
    PixelBuffer canvas_;
    PixelBuffer tray_;
    std::string trayText_;  // the last tray text, animation frame put in
    int trayIconSize_ = 16;
    TrayTheme trayTheme_ = TrayTheme::Classic;
    bool trayBuilt_ = false;
};

// Text of the time face for an estimate, and the minutes it is compared
// with AlertMinutes: rounded to 5 minutes, at most 9:59, "8:88" (568) when
// unknown, " :  " (-2) for the blank phase.
struct TimeFaceText {
    std::string text;
    int32_t minutes;
};
TimeFaceText TimeFaceTextFor(int32_t estimate);

// A byte as "%3d%%" writes it: "  5%", " 57%", "100%".
std::string PercentText(uint8_t percent);

}  // namespace kavelo
