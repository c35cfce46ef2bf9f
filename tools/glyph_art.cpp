#include "glyph_art.h"

#include <algorithm>
#include <stdexcept>

#include "render/segments.h"

namespace kavelo::art {
namespace {

// The pixels of each segment in a cell, as rectangles of (column, row,
// width, height); a segment may take two.
struct Rect {
    int x, y, w, h;
};
struct SegmentShape {
    Rect parts[2];
    int count;
};
bool InShape(const SegmentShape& s, int x, int y) {
    for (int i = 0; i < s.count; ++i) {
        const Rect& r = s.parts[i];
        if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h) return true;
    }
    return false;
}

constexpr SegmentShape kLargeShapes[kSegmentCount] = {
    {{{1, 0, 7, 1}}, 1},                 // top
    {{{0, 1, 1, 5}, {1, 0, 1, 7}}, 2},    // upper left
    {{{8, 1, 1, 5}, {7, 0, 1, 7}}, 2},    // upper right
    {{{1, 6, 7, 1}}, 1},                 // middle
    {{{0, 7, 1, 5}, {1, 6, 1, 7}}, 2},    // lower left
    {{{8, 7, 1, 5}, {7, 6, 1, 7}}, 2},    // lower right
    {{{1, 12, 7, 1}}, 1},                // bottom
};
constexpr SegmentShape kSmallShapes[kSegmentCount] = {
    {{{0, 0, 5, 1}}, 1},  // top
    {{{0, 0, 1, 4}}, 1},  // upper left
    {{{4, 0, 1, 4}}, 1},  // upper right
    {{{0, 3, 5, 1}}, 1},  // middle
    {{{0, 3, 1, 4}}, 1},  // lower left
    {{{4, 3, 1, 4}}, 1},  // lower right
    {{{0, 6, 5, 1}}, 1},  // bottom
};

// A seven-segment cell: lit where any lit segment covers the pixel, ghost
// where only unlit ones do.
void DrawCell(PixelBuffer& p, int cx, int cy, int w, int h, const SegmentShape* shapes,
              const SegmentSet& lit) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool covered = false, on = false;
            for (int s = 0; s < kSegmentCount; ++s)
                if (InShape(shapes[s], x, y)) {
                    covered = true;
                    on = on || lit[s];
                }
            if (covered) p.SetPixel(cx + x, cy + y, on ? kLit : kGhost);
        }
}

// Pixels given row by row as lists of columns.
void DrawRows(PixelBuffer& p, int cx, int cy, const std::vector<std::vector<int>>& rows,
              Colour c) {
    for (size_t y = 0; y < rows.size(); ++y)
        for (int x : rows[y]) p.SetPixel(cx + x, cy + static_cast<int>(y), c);
}

constexpr SegmentSet kAllGhost{};

}  // namespace

PixelBuffer ChiffresArt() {
    PixelBuffer p(126, 13, kBlack);
    for (int d = 0; d < 10; ++d) DrawCell(p, 9 * d, 0, 9, 13, kLargeShapes, kDigitSegments[d]);
    DrawCell(p, 90, 0, 9, 13, kLargeShapes, kAllGhost);  // 10: blank
    DrawRows(p, 99, 0,  // 11: percent sign
             {{1, 2, 8}, {0, 3, 7, 8}, {0, 3, 7}, {1, 2, 6, 7}, {5, 6}, {4, 5}, {4},
              {3, 4}, {2, 3}, {1, 2, 6, 7}, {1, 5, 8}, {0, 1, 5, 8}, {0, 6, 7}},
             kLit);
    DrawRows(p, 108, 0,  // 12: colon, two plus-shaped dots
             {{}, {}, {}, {}, {4}, {3, 4, 5}, {4}, {}, {}, {4}, {3, 4, 5}, {4}, {}}, kLit);
    return p;  // 13: empty
}

PixelBuffer GrandsArt() {
    PixelBuffer p(5, 84, kBlack);
    for (int d = 0; d < 10; ++d) DrawCell(p, 0, 7 * d, 5, 7, kSmallShapes, kDigitSegments[d]);
    DrawRows(p, 0, 70,  // 10: percent sign
             {{0, 1, 4}, {0, 1, 3}, {3}, {2}, {1}, {1, 3, 4}, {0, 3, 4}}, kLit);
    DrawCell(p, 0, 77, 5, 7, kSmallShapes, kAllGhost);  // 11: blank
    return p;
}

PixelBuffer PlugArt(bool online) {
    PixelBuffer p(12, 16, kBlack);
    const Colour mark = online ? kMarkRed : kGhost;
    const Colour plug = online ? kLit : kGhost;
    DrawRows(p, 0, 0, {{6}, {4, 6}, {4, 5, 6}, {4, 6}, {4}}, mark);
    DrawRows(p, 0, 5,
             {{3, 6}, {3, 6}, {1, 2, 3, 4, 5, 6, 7, 8}, {2, 3, 4, 5, 6, 7}, {2, 3, 4, 5, 6, 7},
              {3, 4, 5, 6}, {4, 5}, {4, 5}, {4, 5}},
             plug);
    return p;  // rows 14 and 15 stay empty
}

std::vector<uint8_t> EncodeBmp8(const PixelBuffer& picture) {
    const int w = picture.Width(), h = picture.Height();
    // The same palette in every file; the rest of the 256 entries are black.
    const std::vector<Colour> palette{kBlack, kGhost, kLit, kMarkRed};
    auto indexOf = [&](Colour c) {
        const auto it = std::find(palette.begin(), palette.end(), c);
        if (it == palette.end()) throw std::invalid_argument("colour outside the glyph palette");
        return static_cast<uint8_t>(it - palette.begin());
    };
    const uint32_t stride = (static_cast<uint32_t>(w) + 3) / 4 * 4;
    std::vector<uint8_t> bits(size_t(stride) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bits[size_t(h - 1 - y) * stride + x] = indexOf(picture.Pixel(x, y));  // bottom-up

    const uint32_t offBits = 14 + 40 + 256 * 4;
    const uint32_t fileSize = offBits + static_cast<uint32_t>(bits.size());
    std::vector<uint8_t> out;
    auto u16 = [&](uint32_t v) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    out.push_back('B');
    out.push_back('M');
    u32(fileSize);
    u32(0);  // reserved
    u32(offBits);
    u32(40);  // BITMAPINFOHEADER
    u32(static_cast<uint32_t>(w));
    u32(static_cast<uint32_t>(h));  // positive: bottom-up rows
    u16(1);                         // planes
    u16(8);                         // bits per pixel
    u32(0);                         // BI_RGB
    u32(static_cast<uint32_t>(bits.size()));
    u32(2835);  // 72 dpi
    u32(2835);
    u32(256);  // colours used
    u32(0);    // all important
    for (int i = 0; i < 256; ++i) {
        const Colour c = i < static_cast<int>(palette.size()) ? palette[size_t(i)] : 0;
        out.push_back(uint8_t(c >> 16));  // blue
        out.push_back(uint8_t(c >> 8));   // green
        out.push_back(uint8_t(c));        // red
        out.push_back(0);
    }
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

std::vector<GlyphFile> GlyphFiles() {
    return {{"CHIFFRES", EncodeBmp8(ChiffresArt())},
            {"GRANDS", EncodeBmp8(GrandsArt())},
            {"ONLINE", EncodeBmp8(PlugArt(true))},
            {"OFFLINE", EncodeBmp8(PlugArt(false))}};
}

}  // namespace kavelo::art
