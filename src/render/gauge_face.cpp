#include "render/gauge_face.h"

#include <utility>

#include "render/segments.h"
#include "render/tray_picture.h"

namespace kavelo {
namespace {

constexpr int32_t kUnknownMinutes = 568;  // shown as 8:88
constexpr int32_t kMaxMinutes = 599;      // 9:59

// The number before the final '%' of a percentage text; -1 when none.
int32_t LeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    int32_t n = -1;
    for (; i + 1 < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        n = (n < 0 ? 0 : n) * 10 + (text[i] - '0');
    return n;
}

}  // namespace

std::string PercentText(uint8_t percent) { return RightAligned(percent, 3) + "%"; }

TimeFaceText TimeFaceTextFor(int32_t estimate) {
    if (estimate == -2) return {" :  ", -2};
    int32_t m;
    // Any other negative value is no estimate either: show it as unknown
    // rather than as a negative time that would spill over the face.
    if (estimate < 0) m = kUnknownMinutes;
    else m = (estimate / 60 + 2) / 5 * 5;  // whole minutes to the nearest 5
    if (m > kMaxMinutes) m = kMaxMinutes;
    // Appended rather than concatenated: GCC 12 warns falsely (-Wrestrict)
    // about the chain of + here.
    std::string s = std::to_string(m / 60);
    s += ':';
    s += RightAligned(m % 60, 2);
    if (m == kUnknownMinutes) s = "8:88";
    if (s.size() > 2 && s[2] == ' ') s[2] = '0';
    return {s, m};
}

GaugeFace::GaugeFace(GaugeState& state, Timer& timer1, LowBatteryAlert& alert, FaceHost& host)
    : state_(state),
      timer1_(timer1),
      alert_(alert),
      host_(host),
      canvas_(kCanvasWidth, kCanvasHeight),
      tray_(kTrayPictureWidth, kTrayPictureHeight, kTraySilver) {}

void GaugeFace::LoadGlyphStrips(const GlyphBitmapSource& source) {
    strips_ = kavelo::LoadGlyphStrips(source);
}

void GaugeFace::Publish(PixelBuffer&& picture) {
    // The same face again (every tick on mains) is not shown again.
    if (picture == canvas_) return;
    canvas_ = std::move(picture);
    host_.FaceChanged();
}

void GaugeFace::DrawTimeFace(int32_t estimate) {
    const TimeFaceText face = TimeFaceTextFor(estimate);
    PixelBuffer canvas(kCanvasWidth, kCanvasHeight, kBlack);  // cleared
    Colour brush = state_.NormalColor;
    state_.AlertOn = false;
    if (face.minutes < state_.AlertMinutes && face.text != " :  ") {
        brush = state_.AlertColor;
        state_.AlertOn = true;
        timer1_.SetEnabled(true);
        alert_.CheckLowBatteryAlert();
    }
    DrawLargeText(canvas, strips_.ChiffresBitmap, face.text, 1, brush);
    DrawSmallText(canvas, 48, 7, PercentText(state_.Power.BatteryLifePercent));
    Publish(std::move(canvas));
    BuildTrayImages(face.text);
}

void GaugeFace::DrawSmallText(PixelBuffer& canvas, int left, int top, const std::string& text) {
    Colour brush = state_.NormalColor;
    const int32_t value = LeadingNumber(text);
    if (value >= 0 && value < state_.AlertPercent) {
        brush = state_.AlertColor;
        state_.AlertOn = true;
        alert_.CheckLowBatteryAlert();
    }
    DrawSmallGlyphs(canvas, strips_.GrandsBitmap, text, left, top, brush);
}

void GaugeFace::DrawPercentFace(uint8_t percent) {
    const std::string text = PercentText(percent);
    PixelBuffer canvas(kCanvasWidth, kCanvasHeight, kBlack);
    Colour brush = state_.NormalColor;
    state_.AlertOn = false;
    if (percent < state_.AlertPercent && !state_.OnMains) {
        state_.AlertOn = true;
        brush = state_.AlertColor;
    }
    const PixelBuffer& plug = state_.OnMains ? strips_.OnlineBitmap : strips_.OfflineBitmap;
    canvas.KeyColourCopy(0, 1, plug, 0, 0, plug.Width(), plug.Height(), kLit, brush);
    DrawLargeText(canvas, strips_.ChiffresBitmap, text, 12, brush);
    Publish(std::move(canvas));
    BuildTrayImages(text);
    alert_.CheckLowBatteryAlert();
}

void GaugeFace::ShowPercent(uint8_t percent) {
    if (state_.FaceAnimating) return;
    // Whatever a step or a nested handler throws, the guard must not stay
    // up, or the percentage face would never change again.
    struct Guard {
        GaugeState& s;
        uint8_t& shown;
        ~Guard() {
            s.ShownPercent = shown;
            s.FaceAnimating = false;
        }
    };
    state_.FaceAnimating = true;
    uint8_t v = state_.ShownPercent;
    uint8_t painted = v;
    Guard guard{state_, painted};
    while (v != percent) {
        DrawPercentFace(v);
        painted = v;
        host_.ProcessMessages();
        host_.ProcessMessages();
        v = v > percent ? uint8_t(v - 1) : uint8_t(v + 1);
    }
    DrawPercentFace(percent);
    painted = percent;
}

void GaugeFace::DrawBlackPhase() {
    Publish(PixelBuffer(kCanvasWidth, kCanvasHeight, kBlack));
    BuildTrayImages("");
}

void GaugeFace::BuildTrayImages(const std::string& faceText) {
    std::string text = faceText == " :  " ? "8:88" : faceText;
    if (text == "8:88") {
        state_.TrayAnimFrame = state_.TrayAnimFrame + 1 > 5 ? 0 : state_.TrayAnimFrame + 1;
        for (char& c : text)
            if (c == '8') c = static_cast<char>('A' + state_.TrayAnimFrame);
        timer1_.SetEnabled(true);
    }
    trayText_ = std::move(text);
    DrawTray();
}

void GaugeFace::SetTrayIconSize(int size) {
    if (size == trayIconSize_) return;
    trayIconSize_ = size;
    if (trayBuilt_) DrawTray();
}

void GaugeFace::SetTrayTheme(TrayTheme theme) {
    if (theme == trayTheme_) return;
    trayTheme_ = theme;
    if (trayBuilt_) DrawTray();
}

void GaugeFace::DrawTray() {
    std::string text;
    const bool themed = trayTheme_ != TrayTheme::Classic;
    Colour pen = state_.OnMains ? state_.TrayPlugedColor : state_.TrayColor;
    if (themed) pen = ThemeGlyphColour(trayTheme_);
    if (state_.AlertOn) pen = state_.AlertColor;
    const Colour shadow = themed ? ThemeShadowColour(trayTheme_) : state_.TrayShadowColor;
    if (!(state_.AlertOn && state_.BlinkPhase)) text = trayText_;
    tray_ = kavelo::TrayPicture(text, state_.OnMains, pen, shadow, strips_.OnlineBitmap,
                                trayIconSize_, trayTheme_);
    trayBuilt_ = true;
    const int s = trayIconSize_;
    host_.SetTrayImages(tray_.Crop(0, 0, s, s), tray_.Crop(s, 0, s, s));
}

}  // namespace kavelo
