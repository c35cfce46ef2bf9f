#include "render/tray_picture.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "render/glyph_text.h"
#include "render/segments.h"

namespace kavelo {
namespace {

class TrayGlyph : public ::testing::Test {
protected:
    GlyphStrips strips = LoadGlyphStrips(EmbeddedGlyphSource());
    PixelBuffer pic{32, 16, kTraySilver};
    static constexpr Colour kPen = 0x0000FF;

    int Count(Colour c) const {
        int n = 0;
        for (int y = 0; y < pic.Height(); ++y)
            for (int x = 0; x < pic.Width(); ++x) n += pic.Pixel(x, y) == c;
        return n;
    }
};

TEST_F(TrayGlyph, EightLightsEverySegmentInsideItsCell) {
    DrawTrayGlyph(pic, 4, 2, '8', kPen, strips.OnlineBitmap);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool inCell = x >= 4 && x < 11 && y >= 2 && y < 15;
            if (!inCell) {
                ASSERT_EQ(pic.Pixel(x, y), kTraySilver) << x << "," << y;
            }
        }
    // Rows 0, 6 and 12 carry the three bars; columns 0/1 and 5/6 the sides.
    for (int x = 1; x <= 5; ++x) {
        EXPECT_EQ(pic.Pixel(4 + x, 2), kPen);
        EXPECT_EQ(pic.Pixel(4 + x, 8), kPen);
        EXPECT_EQ(pic.Pixel(4 + x, 14), kPen);
    }
    EXPECT_EQ(pic.Pixel(4 + 0, 2 + 0), kTraySilver);  // corners left open
    EXPECT_EQ(pic.Pixel(4 + 6, 2 + 12), kTraySilver);
    EXPECT_EQ(pic.Pixel(4 + 3, 2 + 3), kTraySilver);  // hollow
}

TEST_F(TrayGlyph, OneUsesOnlyTheRightSide) {
    DrawTrayGlyph(pic, 0, 0, '1', kPen, strips.OnlineBitmap);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(pic.Pixel(x, y), kTraySilver) << x << "," << y;
    EXPECT_EQ(pic.Pixel(5, 0), kPen);
    EXPECT_EQ(pic.Pixel(5, 12), kPen);
    EXPECT_EQ(pic.Pixel(6, 6), kTraySilver);  // between the two outer strokes
}

TEST_F(TrayGlyph, PercentDiagonalsStopShortOfTheirEnds) {
    DrawTrayGlyph(pic, 0, 0, '%', kPen, strips.OnlineBitmap);
    EXPECT_EQ(pic.Pixel(6, 0), kPen);  // both starts
    EXPECT_EQ(pic.Pixel(5, 0), kPen);
    EXPECT_EQ(pic.Pixel(0, 12), kTraySilver);  // end of the first line
    EXPECT_EQ(pic.Pixel(0, 11), kPen);         // first line's last pixel
    for (const auto& p : {std::pair{1, 0}, {0, 1}, {2, 1}, {1, 2}, {5, 12}, {6, 11}, {4, 11},
                          {5, 10}})
        EXPECT_EQ(pic.Pixel(p.first, p.second), kPen) << p.first << "," << p.second;
}

TEST_F(TrayGlyph, ColonIsTwoSquareDots) {
    DrawTrayGlyph(pic, 0, 0, ':', kPen, strips.OnlineBitmap);
    EXPECT_EQ(Count(kPen), 8);
    for (int y : {5, 6, 8, 9})
        for (int x : {3, 4}) EXPECT_EQ(pic.Pixel(x, y), kPen);
}

TEST_F(TrayGlyph, SpaceAndUnknownCharactersDrawNothing) {
    for (char c : {' ', 'G', 'p', '#'}) DrawTrayGlyph(pic, 8, 2, c, kPen, strips.OnlineBitmap);
    EXPECT_EQ(pic, PixelBuffer(32, 16, kTraySilver));
}

TEST_F(TrayGlyph, PlugKeepsItsOwnColoursWhateverThePen) {
    PixelBuffer other(32, 16, kTraySilver);
    DrawTrayGlyph(pic, 0, 2, 'P', kPen, strips.OnlineBitmap);
    DrawTrayGlyph(other, 0, 2, 'P', 0x123456, strips.OnlineBitmap);
    EXPECT_EQ(pic, other);
    EXPECT_EQ(Count(kTraySilver) + Count(kPlugTeal) + Count(kMarkRed), 32 * 16);
    EXPECT_GT(Count(kPlugTeal), 10);
    EXPECT_GT(Count(kMarkRed), 3);
    for (int y = 0; y < 16; ++y)
        for (int x = 9; x < 32; ++x) ASSERT_EQ(pic.Pixel(x, y), kTraySilver);  // 9 columns wide
    EXPECT_EQ(pic.Pixel(0, 2 + 7), kPlugTeal);  // the body's widest row reaches the edge
}

TEST_F(TrayGlyph, PlugDrawnOnlyOnMainsForAPercentageWithAnEmptyFirstPlace) {
    PixelBuffer battery(32, 16, kTraySilver), mains(32, 16, kTraySilver),
        full(32, 16, kTraySilver), time(32, 16, kTraySilver);
    DrawTrayText(battery, " 57%", false, kPen, 0x808080, strips.OnlineBitmap);
    DrawTrayText(mains, " 57%", true, kPen, 0x808080, strips.OnlineBitmap);
    DrawTrayText(full, "100%", true, kPen, 0x808080, strips.OnlineBitmap);
    auto hasTeal = [](const PixelBuffer& p) {
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x)
                if (p.Pixel(x, y) == kPlugTeal) return true;
        return false;
    };
    EXPECT_FALSE(hasTeal(battery));
    EXPECT_TRUE(hasTeal(mains));
    EXPECT_FALSE(hasTeal(full));
    for (int y = 0; y < 16; ++y)  // on battery the first place stays empty
        for (int x = 0; x < 8; ++x) EXPECT_EQ(battery.Pixel(x, y), kTraySilver);
    // Glyphs at columns 8, 16 and 24, shadows one pixel right and down.
    EXPECT_EQ(battery.Pixel(8 + 1, 2), kPen);        // 5: top
    EXPECT_EQ(battery.Pixel(8 + 6, 3), 0x808080u);   // 5: shadow of the top's end
    EXPECT_EQ(battery.Pixel(16 + 5, 2), kPen);       // 7: upper right
    EXPECT_EQ(battery.Pixel(24 + 6, 2), kPen);       // %
}

// One stroke width, own colours only, a glyph alike in every cell; 16m: blocks.
TEST(TrayPictureAtIconSize, StrokesColoursCellsAndBlocks) {
    const PixelBuffer plug = LoadGlyphStrips(EmbeddedGlyphSource()).OnlineBitmap;
    constexpr Colour kPen = 0x00FF00, kShadow = 0x808080;
    for (const auto& [size, w] : {std::pair{20, 1}, {24, 2}, {28, 2}, {32, 2}, {40, 3}, {48, 3}}) {
        PixelBuffer eight(size, size, kTraySilver);
        DrawTrayGlyph(eight, 0, 0, '8', kPen, plug, size);
        int down = 0, across = 0;  // three bars down the middle, two sides of two strokes
        for (int i = 0; i < size; ++i) {
            down += eight.Pixel(size * 7 / 32, i) == kPen;
            across += eight.Pixel(i, size * 3 / 16) == kPen;
        }
        EXPECT_EQ(std::pair(down, across), std::pair(3 * w, 4 * w)) << size;
        for (const char* text : {"100%", " 57%", "C:CC"}) {
            const PixelBuffer p = TrayPicture(text, true, kPen, kShadow, plug, size);
            const PixelBuffer small = TrayPicture(text, true, kPen, kShadow, plug, 16);
            ASSERT_EQ(p.Width() * p.Height(), 2 * size * size);
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < 2 * size; ++x) {
                    const Colour c = p.Pixel(x, y);
                    if (size % 16 == 0) ASSERT_EQ(c, small.Pixel(x * 16 / size, y * 16 / size)) << text;
                    ASSERT_TRUE(c == kTraySilver || c == kPen || c == kShadow || c == kPlugTeal || c == kMarkRed);
                }
            const int cell = size / 2, width = size * 7 / 16 + w;  // the zeros of 100 %, one in each icon
            if (text[1] == '0' && size % 16) EXPECT_EQ(p.Crop(cell, 0, width, size), p.Crop(2 * cell, 0, width, size));
        }
    }
}

// Themed, a picture is the classic one in the theme's colours with silver
// made clear, but for the plug: its own colours over a shadow of its shape.
TEST(ThemedTrayPicture, ClassicShapesOnClearThePlugOverItsShadow) {
    const PixelBuffer plug = LoadGlyphStrips(EmbeddedGlyphSource()).OnlineBitmap;
    for (const TrayTheme theme : {TrayTheme::Dark, TrayTheme::Light})
        for (const int size : {16, 20, 24, 32, 48})
            for (const auto& [text, mains] : {std::pair{" 57%", true}, {" 57%", false}, {"2:05", false}, {"C:CC", true}}) {
                const Colour pen = ThemeGlyphColour(theme), shadow = ThemeShadowColour(theme);
                const PixelBuffer classic = TrayPicture(text, mains, pen, shadow, plug, size), p = TrayPicture(text, mains, pen, shadow, plug, size, theme);
                const int w = std::max(1, (size + 8) / 16), plugEnd = mains && text[0] == ' ' ? size * 9 / 16 : -w;
                for (int y = 0; y < size; ++y)
                    for (int x = 0; x < 2 * size; ++x) {
                        const Colour want = classic.Pixel(x, y), got = p.Pixel(x, y);
                        const bool plugged = (want == kPlugTeal || want == kMarkRed) && x < plugEnd;
                        std::set<Colour> allowed{kClear, kOpaque | shadow};  // round the plug
                        if (x >= plugEnd + w || want == pen || plugged) allowed = {want == kTraySilver ? kClear : kOpaque | want};
                        const bool shadowed = !plugged || y + w >= size || p.Pixel(x + w, y + w) != kClear;
                        ASSERT_TRUE(allowed.count(got) && shadowed) << size << text << " at " << x << "," << y;
                    }
            }
}

TEST(TrayTip, PercentRightAlignedWithMainsSuffix) {
    EXPECT_EQ(TrayTipText(57, false), "Battery :  57%");
    EXPECT_EQ(TrayTipText(5, false), "Battery :   5%");
    EXPECT_EQ(TrayTipText(57, true), "Battery :  57% (charging)");
    EXPECT_EQ(TrayTipText(100, true), "Battery : 100% (charged)");
    EXPECT_EQ(TrayTipText(100, false), "Battery : 100%");
    EXPECT_EQ(TrayTipText(255, true), "Battery : 255% (charging)");
}

}  // namespace
}  // namespace kavelo
