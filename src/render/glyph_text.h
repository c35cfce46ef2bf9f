#pragma once
#include <string_view>

#include "render/glyph_source.h"
#include "render/pixel_buffer.h"

namespace kavelo {

// The four glyph bitmaps, loaded once at start and read-only afterwards.
struct GlyphStrips {
    PixelBuffer ChiffresBitmap;  // 126 x 13: 14 large cells of 9 x 13
    PixelBuffer OnlineBitmap;    // 12 x 16: plug icon, lit, red mark
    PixelBuffer OfflineBitmap;   // 12 x 16: plug icon, ghost
    PixelBuffer GrandsBitmap;    // 5 x 84: 12 small cells of 5 x 7
};

// Loads "CHIFFRES", "ONLINE", "OFFLINE" and "GRANDS", in that order. Throws
// BitmapError when a bitmap is malformed or not of its expected size, and
// what the source throws when one is missing.
GlyphStrips LoadGlyphStrips(const GlyphBitmapSource& source);

// Large glyph geometry.
inline constexpr int kLargeWidth = 9;
inline constexpr int kLargeHeight = 13;
inline constexpr int kLargePitch = 11;
inline constexpr int kLargeCellBlank = 10;
inline constexpr int kLargeCellPercent = 11;
inline constexpr int kLargeCellColon = 12;
// Small glyph geometry.
inline constexpr int kSmallWidth = 5;
inline constexpr int kSmallHeight = 7;
inline constexpr int kSmallPitch = 6;
inline constexpr int kSmallCellPercent = 10;
inline constexpr int kSmallCellBlank = 11;

// Large text: digits, ' ' (a blank, all ghost), '%' and ':'; any other
// character repeats the cell before it. Glyphs at x0 + 11 i, row 1; lit
// pixels take `brush`, ghost and background keep their colours.
void DrawLargeText(PixelBuffer& canvas, const PixelBuffer& chiffres, std::string_view text,
                   int x0, Colour brush);

// Small text, for a percentage as "%3d%%" writes it. The lit key is the
// strip's top-left pixel. Glyphs at left + 6 i, row top.
void DrawSmallGlyphs(PixelBuffer& canvas, const PixelBuffer& grands, std::string_view text,
                     int left, int top, Colour brush);

}  // namespace kavelo
