#include "render/glyph_text.h"

#include <gtest/gtest.h>

#include "render/segments.h"

namespace kavelo {
namespace {

class GlyphText : public ::testing::Test {
protected:
    GlyphStrips strips = LoadGlyphStrips(EmbeddedGlyphSource());
    PixelBuffer canvas{72, 16};

    // The 9 x 13 block of the canvas at (x, 1) as the strip's cell would
    // look with its lit pixels in `brush`.
    void ExpectLargeCell(int x, int cell, Colour brush) {
        for (int y = 0; y < 13; ++y)
            for (int i = 0; i < 9; ++i) {
                Colour want = strips.ChiffresBitmap.Pixel(9 * cell + i, y);
                if (want == kLit) want = brush;
                ASSERT_EQ(canvas.Pixel(x + i, 1 + y), want)
                    << "cell " << cell << " at column " << x << ", pixel " << i << "," << y;
            }
    }
};

TEST_F(GlyphText, LargeTextPlacesGlyphsElevenApartOnRowOne) {
    DrawLargeText(canvas, strips.ChiffresBitmap, "2:05", 1, 0x0000FF);
    ExpectLargeCell(1, 2, 0x0000FF);
    ExpectLargeCell(12, kLargeCellColon, 0x0000FF);
    ExpectLargeCell(23, 0, 0x0000FF);
    ExpectLargeCell(34, 5, 0x0000FF);
    for (int x = 0; x < 72; ++x) {
        EXPECT_EQ(canvas.Pixel(x, 0), kBlack);
        EXPECT_EQ(canvas.Pixel(x, 14), kBlack);
    }
    // The colon cell has no ghost segments.
    for (int y = 1; y < 14; ++y)
        for (int x = 12; x < 21; ++x) EXPECT_NE(canvas.Pixel(x, y), kGhost);
}

TEST_F(GlyphText, UnknownCharactersRepeatThePreviousCellAndTheFirstIsBlank) {
    DrawLargeText(canvas, strips.ChiffresBitmap, "x7?%", 12, kLit);
    ExpectLargeCell(12, kLargeCellBlank, kLit);
    ExpectLargeCell(23, 7, kLit);
    ExpectLargeCell(34, 7, kLit);
    ExpectLargeCell(45, kLargeCellPercent, kLit);
}

TEST_F(GlyphText, SmallTextBlanksForSpacesThenDigitAndPercent) {
    DrawSmallGlyphs(canvas, strips.GrandsBitmap, "  5%", 48, 7, 0xFF0000);
    const int cells[4] = {kSmallCellBlank, kSmallCellBlank, 5, kSmallCellPercent};
    for (int i = 0; i < 4; ++i)
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x) {
                Colour want = strips.GrandsBitmap.Pixel(x, 7 * cells[i] + y);
                if (want == kLit) want = 0xFF0000;
                ASSERT_EQ(canvas.Pixel(48 + 6 * i + x, 7 + y), want) << i << ": " << x << "," << y;
            }
    EXPECT_EQ(canvas.Pixel(48 + 23, 7), kBlack);  // four glyphs end at left + 22
}

// Whatever the brush, only lit pixels change: ghost stays ghost, black black.
TEST_F(GlyphText, OnlyLitPixelsTakeTheBrush) {
    for (const Colour brush : {Colour(0x0000FF), Colour(0x002000), Colour(0x000000),
                               Colour(0xFFFFFF)}) {
        PixelBuffer ref(72, 16), out(72, 16);
        DrawLargeText(ref, strips.ChiffresBitmap, " 1:7", 1, kLit);
        DrawLargeText(out, strips.ChiffresBitmap, " 1:7", 1, brush);
        DrawSmallGlyphs(ref, strips.GrandsBitmap, " 1%", 48, 7, kLit);
        DrawSmallGlyphs(out, strips.GrandsBitmap, " 1%", 48, 7, brush);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 72; ++x) {
                const Colour r = ref.Pixel(x, y);
                ASSERT_EQ(out.Pixel(x, y), r == kLit ? brush : r) << x << "," << y;
            }
    }
}

}  // namespace
}  // namespace kavelo
