#include "render/tray_picture.h"

#include "render/segments.h"

namespace kavelo {
namespace {

// Each segment as the lines that draw it: (x0, y0) towards (x1, y1), the end
// point left out.
struct Stroke {
    int x0, y0, x1, y1;
};
struct SegmentStrokes {
    Stroke first, second;
    bool twoStrokes;
};
constexpr SegmentStrokes kTrayStrokes[kSegmentCount] = {
    {{1, 0, 6, 0}, {}, false},           // top: row 0, columns 1-5
    {{0, 1, 0, 6}, {1, 0, 1, 7}, true},   // upper left
    {{5, 0, 5, 7}, {6, 1, 6, 6}, true},   // upper right
    {{1, 6, 6, 6}, {}, false},           // middle
    {{0, 7, 0, 12}, {1, 6, 1, 13}, true},  // lower left
    {{5, 6, 5, 13}, {6, 7, 6, 12}, true},  // lower right
    {{1, 12, 6, 12}, {}, false},         // bottom
};

void DrawSegments(PixelBuffer& canvas, int x, int y, const SegmentSet& lit, Colour pen) {
    for (int s = 0; s < kSegmentCount; ++s) {
        if (!lit[s]) continue;
        const SegmentStrokes& st = kTrayStrokes[s];
        canvas.Line(x + st.first.x0, y + st.first.y0, x + st.first.x1, y + st.first.y1, pen);
        if (st.twoStrokes)
            canvas.Line(x + st.second.x0, y + st.second.y0, x + st.second.x1, y + st.second.y1,
                        pen);
    }
}

void DrawPercent(PixelBuffer& canvas, int x, int y, Colour pen) {
    canvas.Line(x + 6, y, x, y + 12, pen);
    canvas.Line(x + 5, y, x, y + 11, pen);
    static constexpr int kRings[8][2] = {{1, 0}, {0, 1}, {2, 1}, {1, 2},
                                         {5, 12}, {6, 11}, {4, 11}, {5, 10}};
    for (const auto& p : kRings) canvas.SetPixel(x + p[0], y + p[1], pen);
}

void DrawPlug(PixelBuffer& canvas, int x, int y, const PixelBuffer& online) {
    const int w = online.Width(), h = online.Height();
    PixelBuffer onSilver(w, h);
    onSilver.KeyColourCopy(0, 0, online, 0, 0, w, h, kBlack, kTraySilver);
    // The plug body's colour, whatever green the icon was drawn with.
    const Colour body = onSilver.Pixel(6, 7);
    PixelBuffer teal(w, h);
    teal.KeyColourCopy(0, 0, onSilver, 0, 0, w, h, body, kPlugTeal);
    canvas.ScaledCopy(x, y, x + 9, y + 16, teal, 0, 0, w, h);
    // Scaling dropped the body's left end: carry its widest row out to the
    // glyph's edge.
    if (canvas.Contains(x + 3, y + 7)) canvas.SetPixel(x, y + 7, canvas.Pixel(x + 3, y + 7));
}

}  // namespace

void DrawTrayGlyph(PixelBuffer& canvas, int x, int y, char c, Colour pen,
                   const PixelBuffer& online) {
    if (c >= '0' && c <= '9') {
        DrawSegments(canvas, x, y, TraySegments[c - '0'], pen);
    } else if (c >= 'A' && c <= 'F') {
        DrawSegments(canvas, x, y, TraySegments[10 + (c - 'A')], pen);
    } else if (c == '%') {
        DrawPercent(canvas, x, y, pen);
    } else if (c == ':') {
        canvas.FillRect(x + 3, y + 5, x + 5, y + 7, pen);
        canvas.FillRect(x + 3, y + 8, x + 5, y + 10, pen);
    } else if (c == 'P') {
        DrawPlug(canvas, x, y, online);
    }
}

void DrawTrayText(PixelBuffer& picture, std::string text, bool onMains, Colour pen,
                  Colour shadow, const PixelBuffer& online) {
    const bool isTime = text.find(':') != std::string::npos;
    if (onMains && !isTime && !text.empty() && text[0] == ' ') text[0] = 'P';
    struct Pass {
        Colour colour;
        int offset;
    };
    for (const Pass pass : {Pass{shadow, 1}, Pass{pen, 0}}) {
        // H:MM puts the hour and colon in the left icon, the minutes in the
        // right one; four glyphs without a colon sit 8 pixels apart.
        int x = isTime ? 4 : 0;
        for (size_t i = 0; i < text.size(); ++i) {
            DrawTrayGlyph(picture, x + pass.offset, 2 + pass.offset, text[i], pass.colour,
                          online);
            if (!isTime) x += 8;
            else if (i == 0) x += 6;
            else if (i == 1) x = 16;
            else x += 8;
        }
    }
}

std::string RightAligned(int value, std::size_t width) {
    // Formatted by hand: the C library's printf family is the largest part
    // of the Windows runtime that the program would link.
    std::string text = std::to_string(value);
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string TrayTipText(uint8_t percent, bool onMains) {
    std::string text = "Battery : " + RightAligned(percent, 3) + "%";
    if (onMains) text += percent == 100 ? " (charged)" : " (charging)";
    return text;
}

}  // namespace kavelo
