#include "render/pixel_buffer.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace kavelo {
namespace {

std::set<std::pair<int, int>> PixelsOf(const PixelBuffer& p, Colour c) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            if (p.Pixel(x, y) == c) out.insert({x, y});
    return out;
}

TEST(PixelBuffer, FillRectCoversLeftTopButNotRightBottomAndClips) {
    PixelBuffer p(6, 5, 7);
    p.FillRect(1, 1, 3, 4, 9);
    EXPECT_EQ(PixelsOf(p, 9), (std::set<std::pair<int, int>>{{1, 1}, {2, 1}, {1, 2}, {2, 2},
                                                              {1, 3}, {2, 3}}));
    p.FillRect(-5, -5, 100, 1, 3);  // clipped to the top row
    EXPECT_EQ(PixelsOf(p, 3).size(), 6u);
    EXPECT_EQ(p.Pixel(0, 1), 7u);
}

TEST(PixelBuffer, SinglePixelsOutsideAreIgnoredOnWriteAndRefusedOnRead) {
    PixelBuffer p(3, 2);
    p.SetPixel(-1, 0, 5);
    p.SetPixel(3, 0, 5);
    p.SetPixel(0, 2, 5);
    EXPECT_TRUE(PixelsOf(p, 5).empty());
    EXPECT_THROW(p.Pixel(3, 0), std::out_of_range);
    EXPECT_THROW(p.Pixel(0, -1), std::out_of_range);
    EXPECT_THROW(PixelBuffer(-1, 2), std::invalid_argument);
}

TEST(PixelBuffer, LinesLeaveOutTheirEndPoint) {
    PixelBuffer p(8, 14);
    p.Line(1, 0, 6, 0, 1);  // horizontal: columns 1 to 5
    EXPECT_EQ(PixelsOf(p, 1), (std::set<std::pair<int, int>>{{1, 0}, {2, 0}, {3, 0}, {4, 0},
                                                              {5, 0}}));
    p.Line(0, 6, 0, 1, 2);  // upward: rows 6 down to 2
    EXPECT_EQ(PixelsOf(p, 2).size(), 5u);
    EXPECT_EQ(p.Pixel(0, 1), 0u);
    EXPECT_EQ(p.Pixel(0, 6), 2u);
    p.Line(3, 3, 3, 3, 4);  // a line to its own start paints nothing
    EXPECT_TRUE(PixelsOf(p, 4).empty());
}

TEST(PixelBuffer, SteepDiagonalIsConnectedOnePixelPerRow) {
    PixelBuffer p(8, 14);
    p.Line(6, 0, 0, 12, 1);
    const auto pts = PixelsOf(p, 1);
    ASSERT_EQ(pts.size(), 12u);  // rows 0 to 11, the end (0, 12) left out
    int lastX = 7;
    for (int y = 0; y < 12; ++y) {
        int xs = 0, x = -1;
        for (int i = 0; i < 8; ++i)
            if (p.Pixel(i, y) == 1) ++xs, x = i;
        ASSERT_EQ(xs, 1) << "row " << y;
        EXPECT_LE(lastX - x, 1) << "row " << y;  // never jumps a column
        lastX = x;
    }
    EXPECT_EQ(p.Pixel(6, 0), 1u);
    EXPECT_EQ(p.Pixel(0, 12), 0u);
}

TEST(PixelBuffer, CopyClipsBothPicturesTogether) {
    PixelBuffer src(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) src.SetPixel(x, y, Colour(10 * y + x));
    PixelBuffer dst(3, 3, 99);
    dst.Copy(-1, 1, src, 0, 0, 4, 4);  // shifted left and down
    EXPECT_EQ(dst.Pixel(0, 0), 99u);
    EXPECT_EQ(dst.Pixel(0, 1), 1u);   // source (1, 0)
    EXPECT_EQ(dst.Pixel(2, 2), 13u);  // source (3, 1)
    PixelBuffer dst2(3, 3, 99);
    dst2.Copy(0, 0, src, 2, 2, 3, 3);  // source runs out at column 4
    EXPECT_EQ(dst2.Pixel(1, 1), 33u);
    EXPECT_EQ(dst2.Pixel(2, 2), 99u);
}

TEST(PixelBuffer, KeyColourCopyRecoloursOnlyTheKey) {
    PixelBuffer src(3, 1);
    src.SetPixel(0, 0, 0x00FF00);
    src.SetPixel(1, 0, 0x002000);
    src.SetPixel(2, 0, 0x000000);
    PixelBuffer dst(3, 1, 0x123456);
    dst.KeyColourCopy(0, 0, src, 0, 0, 3, 1, 0x00FF00, 0x0000FF);
    EXPECT_EQ(dst.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(dst.Pixel(1, 0), 0x002000u);
    EXPECT_EQ(dst.Pixel(2, 0), 0x000000u);
}

TEST(PixelBuffer, CopyWithinOnePictureReadsTheOriginal) {
    PixelBuffer p(4, 1);
    for (int x = 0; x < 4; ++x) p.SetPixel(x, 0, Colour(x + 1));
    p.Copy(1, 0, p, 0, 0, 3, 1);
    EXPECT_EQ(p.Pixel(1, 0), 1u);
    EXPECT_EQ(p.Pixel(2, 0), 2u);
    EXPECT_EQ(p.Pixel(3, 0), 3u);
}

TEST(PixelBuffer, ScaledCopyTakesTheNearestPixelWithoutBlending) {
    PixelBuffer src(12, 1);
    for (int x = 0; x < 12; ++x) src.SetPixel(x, 0, Colour(x * 0x10));
    PixelBuffer shrunk(9, 1);
    shrunk.ScaledCopy(0, 0, 9, 1, src, 0, 0, 12, 1);
    std::set<Colour> used;
    for (int x = 0; x < 9; ++x) {
        const Colour c = shrunk.Pixel(x, 0);
        EXPECT_EQ(c % 0x10, 0u) << "blended colour at " << x;
        used.insert(c);
        if (x > 0) {
            EXPECT_GT(c, shrunk.Pixel(x - 1, 0));  // order kept
        }
    }
    EXPECT_EQ(used.size(), 9u);  // three columns dropped, none doubled
    EXPECT_EQ(shrunk.Pixel(0, 0), 0u);
    EXPECT_EQ(shrunk.Pixel(8, 0), 0xB0u);

    PixelBuffer grown(6, 2);
    grown.ScaledCopy(0, 0, 6, 2, src, 0, 0, 3, 1);  // each pixel doubled sideways
    EXPECT_EQ(grown.Pixel(0, 1), 0x00u);
    EXPECT_EQ(grown.Pixel(1, 0), 0x00u);
    EXPECT_EQ(grown.Pixel(2, 0), 0x10u);
    EXPECT_EQ(grown.Pixel(5, 1), 0x20u);
}

}  // namespace
}  // namespace kavelo
