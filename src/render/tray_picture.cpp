#include "render/tray_picture.h"

#include <algorithm>
#include <span>

#include "render/segments.h"

namespace kavelo {
namespace {

// The 16-pixel design at icon size `size`: a design position v lands on
// round(v * size / 16) (halves up); a glyph's width and height are cut down
// rather than rounded, so that the last glyph and its shadow still fit.
struct TrayMetrics {
    int size, w, width, height, middle;
    explicit TrayMetrics(int s)
        : size(s),
          w(std::max(1, Pos(1))),
          width(s * 7 / 16),
          height(s * 13 / 16),
          middle((height - w) / 2) {}
    int Pos(int v) const { return (v * size + 8) / 16; }
};

struct Rect {
    int l, t, r, b;
};

// Each segment as one or two strokes, w thick, laid against the glyph's
// edges: the bars between the sides, each side of two strokes, the outer
// one a stroke shorter at both ends. At size 16 that is the design itself:
// top row 0, columns 1 to 5; upper left column 0, rows 1 to 5, and column
// 1, rows 0 to 6; and so on.
int SegmentRects(int segment, const TrayMetrics& m, Rect (&out)[2]) {
    const int w = m.w, W = m.width, H = m.height, M = m.middle;
    switch (segment) {
    case kTop: out[0] = {w, 0, W - w, w}; return 1;
    case kUpperLeft: out[0] = {0, w, w, M}; out[1] = {w, 0, 2 * w, M + w}; return 2;
    case kUpperRight: out[0] = {W - 2 * w, 0, W - w, M + w}; out[1] = {W - w, w, W, M}; return 2;
    case kMiddle: out[0] = {w, M, W - w, M + w}; return 1;
    case kLowerLeft: out[0] = {0, M + w, w, H - w}; out[1] = {w, M, 2 * w, H}; return 2;
    case kLowerRight: out[0] = {W - 2 * w, M, W - w, H}; out[1] = {W - w, M + w, W, H - w}; return 2;
    case kBottom: out[0] = {w, H - w, W - w, H}; return 1;
    default: return 0;
    }
}

void DrawSegments(PixelBuffer& canvas, int x, int y, const SegmentSet& lit, Colour pen,
                  const TrayMetrics& m) {
    for (int s = 0; s < kSegmentCount; ++s) {
        if (!lit[s]) continue;
        Rect rects[2];
        const int n = SegmentRects(s, m, rects);
        for (int i = 0; i < n; ++i)
            canvas.FillRect(x + rects[i].l, y + rects[i].t, x + rects[i].r, y + rects[i].b, pen);
    }
}

// Two diagonals from the top right towards the bottom left, the second a
// stroke to the left of the first, and a ring of four stroke squares round
// each end.
void DrawPercent(PixelBuffer& canvas, int x, int y, Colour pen, const TrayMetrics& m) {
    const int w = m.w, W = m.width, H = m.height;
    canvas.Line(x + W - w, y, x, y + H - w, pen, w);
    canvas.Line(x + W - 2 * w, y, x, y + H - 2 * w, pen, w);
    const int rings[8][2] = {{w, 0},         {0, w},         {2 * w, w},         {w, 2 * w},
                             {W - 2 * w, H - w}, {W - w, H - 2 * w}, {W - 3 * w, H - 2 * w},
                             {W - 2 * w, H - 3 * w}};
    for (const auto& p : rings) canvas.FillRect(x + p[0], y + p[1], x + p[0] + w, y + p[1] + w, pen);
}

void DrawColon(PixelBuffer& canvas, int x, int y, Colour pen, const TrayMetrics& m) {
    const int w = m.w, left = x + (m.width - 2 * w + 1) / 2;
    canvas.FillRect(left, y + m.middle - w, left + 2 * w, y + m.middle + w, pen);
    canvas.FillRect(left, y + m.middle + 2 * w, left + 2 * w, y + m.middle + 4 * w, pen);
}

void DrawPlug(PixelBuffer& canvas, int x, int y, const PixelBuffer& online, const TrayMetrics& m,
              PlugPaint paint, Colour pen) {
    const int w = online.Width(), h = online.Height();
    const Colour background = paint == PlugPaint::OnSilver ? kTraySilver : kClear;
    PixelBuffer onSilver(w, h);
    onSilver.KeyColourCopy(0, 0, online, 0, 0, w, h, kBlack, background);
    // The plug body's colour, whatever green the icon was drawn with.
    const Colour body = onSilver.Pixel(6, 7);
    PixelBuffer teal(w, h);
    teal.KeyColourCopy(0, 0, onSilver, 0, 0, w, h, body, kPlugTeal);
    // Shrinking 12 columns to 9 drops the body's left end: its widest row is
    // carried out to the glyph's edge.
    teal.SetPixel(0, 7, teal.Pixel(4, 7));
    const int right = x + m.size * 9 / 16, bottom = y + m.size;
    if (paint == PlugPaint::OnSilver) {
        canvas.ScaledCopy(x, y, right, bottom, teal, 0, 0, w, h);
        return;
    }
    // On a transparent picture only the plug itself is laid down, in its
    // colours or, for its shadow, in the pen's; the background lets the
    // shadow pass's plug show through.
    PixelBuffer scaled(right - x, bottom - y, kClear);
    scaled.ScaledCopy(0, 0, scaled.Width(), scaled.Height(), teal, 0, 0, w, h);
    for (int j = 0; j < scaled.Height(); ++j)
        for (int i = 0; i < scaled.Width(); ++i)
            if (const Colour c = scaled.Pixel(i, j); c != kClear)
                canvas.SetPixel(x + i, y + j, paint == PlugPaint::InPen ? pen : kOpaque | c);
}

}  // namespace

void DrawTrayGlyph(PixelBuffer& canvas, int x, int y, char c, Colour pen,
                   const PixelBuffer& online, int iconSize, PlugPaint plug) {
    const TrayMetrics m(iconSize);
    if (c >= '0' && c <= '9') {
        DrawSegments(canvas, x, y, TraySegments[c - '0'], pen, m);
    } else if (c >= 'A' && c <= 'F') {
        DrawSegments(canvas, x, y, TraySegments[10 + (c - 'A')], pen, m);
    } else if (c == '%') {
        DrawPercent(canvas, x, y, pen, m);
    } else if (c == ':') {
        DrawColon(canvas, x, y, pen, m);
    } else if (c == 'P') {
        DrawPlug(canvas, x, y, online, m, plug, pen);
    }
}

void DrawTrayText(PixelBuffer& picture, std::string text, bool onMains, Colour pen,
                  Colour shadow, const PixelBuffer& online, bool clear) {
    const TrayMetrics m(picture.Height());
    const bool isTime = text.find(':') != std::string::npos;
    if (onMains && !isTime && !text.empty() && text[0] == ' ') text[0] = 'P';
    struct Pass {
        Colour colour;
        int offset;
        PlugPaint plug;
    };
    const Pass classic[] = {{shadow, m.w, PlugPaint::OnSilver}, {pen, 0, PlugPaint::OnSilver}};
    const Pass themed[] = {{kOpaque | shadow, m.w, PlugPaint::InPen},
                           {kOpaque | pen, 0, PlugPaint::OwnColours}};
    for (const Pass& pass : clear ? std::span(themed) : std::span(classic)) {
        // H:MM puts the hour and colon in the left icon, the minutes in the
        // right one; four glyphs without a colon sit 8 design pixels apart.
        int x = isTime ? 4 : 0;
        for (size_t i = 0; i < text.size(); ++i) {
            DrawTrayGlyph(picture, m.Pos(x) + pass.offset, m.Pos(2) + pass.offset, text[i],
                          pass.colour, online, m.size, pass.plug);
            if (!isTime) x += 8;
            else if (i == 0) x += 6;
            else if (i == 1) x = 16;
            else x += 8;
        }
    }
}

Colour ThemeGlyphColour(TrayTheme theme) { return theme == TrayTheme::Light ? 0x000000 : 0xFFFFFF; }
Colour ThemeShadowColour(TrayTheme theme) { return theme == TrayTheme::Light ? 0xFFFFFF : 0x000000; }

PixelBuffer TrayPicture(const std::string& text, bool onMains, Colour pen, Colour shadow,
                        const PixelBuffer& online, int iconSize, TrayTheme theme) {
    const int drawn = iconSize % kTrayIconSize == 0 ? kTrayIconSize : iconSize;
    const bool clear = theme != TrayTheme::Classic;
    PixelBuffer picture(2 * drawn, drawn, clear ? kClear : kTraySilver);
    DrawTrayText(picture, text, onMains, pen, shadow, online, clear);
    return drawn == iconSize ? picture : ScaleUp(picture, iconSize / drawn);
}

std::string RightAligned(int value, std::size_t width) {
    // Formatted by hand: the C library's printf family is the largest part
    // of the Windows runtime that the program would link.
    std::string text = std::to_string(value);
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string FullInText(int32_t seconds) {
    int32_t minutes = (seconds / 60 + 2) / 5 * 5;
    if (minutes < 5) minutes = 5;
    std::string text = "Full in about ";
    if (minutes >= 60) text += std::to_string(minutes / 60) + " h";
    if (minutes >= 60 && minutes % 60) text += " ";
    if (minutes % 60) text += std::to_string(minutes % 60) + " min";
    return text;
}

std::string TrayTipText(uint8_t percent, bool onMains) {
    std::string text = "Battery : " + RightAligned(percent, 3) + "%";
    if (onMains) text += percent == 100 ? " (charged)" : " (charging)";
    return text;
}

}  // namespace kavelo
