#include "render/bmp_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "glyph_art.h"
#include "render/glyph_source.h"
#include "render/glyph_text.h"
#include "render/segments.h"

namespace kavelo {
namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Bare(std::vector<uint8_t> file) {  // what windres keeps
    file.erase(file.begin(), file.begin() + 14);
    return file;
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

std::string ErrorOf(const std::vector<uint8_t>& bytes) {
    try {
        ReadBmp(bytes);
    } catch (const BitmapError& e) {
        return e.what();
    }
    return "";
}

TEST(GlyphBitmaps, CommittedFilesAreWhatTheGeneratorDraws) {
    for (const auto& file : art::GlyphFiles()) {
        const auto committed =
            ReadFile(std::string(KAVELO_SOURCE_DIR) + "/resources/" + file.name + ".bmp");
        EXPECT_EQ(committed, file.bytes)
            << file.name << ".bmp is stale: cmake --build <tree> --target glyph-bitmaps";
        EXPECT_EQ(EmbeddedGlyphSource().Bytes(file.name).size(), committed.size()) << file.name;
    }
}

TEST(GlyphBitmaps, FileAndBareDibDecodeToTheDrawnPixels) {
    const PixelBuffer drawn = art::ChiffresArt();
    const std::vector<uint8_t> file = art::EncodeBmp8(drawn);
    EXPECT_EQ(ReadBmp(file), drawn);
    EXPECT_EQ(ReadBmp(Bare(file)), drawn);
    const GlyphStrips strips = LoadGlyphStrips(EmbeddedGlyphSource());
    EXPECT_EQ(strips.ChiffresBitmap, art::ChiffresArt());
    EXPECT_EQ(strips.GrandsBitmap, art::GrandsArt());
    EXPECT_EQ(strips.OnlineBitmap, art::PlugArt(true));
    EXPECT_EQ(strips.OfflineBitmap, art::PlugArt(false));
}

// A few pixels read off the design, independent of the generator's tables.
TEST(GlyphBitmaps, KeyPixelsOfTheDesign) {
    const GlyphStrips s = LoadGlyphStrips(EmbeddedGlyphSource());
    const PixelBuffer& big = s.ChiffresBitmap;
    EXPECT_EQ(big.Pixel(0, 0), kBlack);        // corner of a cell is outside every segment
    EXPECT_EQ(big.Pixel(1, 0), kLit);          // 0: top lit
    EXPECT_EQ(big.Pixel(4, 6), kGhost);        // 0: middle unlit
    EXPECT_EQ(big.Pixel(9 + 1, 0), kGhost);    // 1: top unlit, upper left unlit
    EXPECT_EQ(big.Pixel(9 + 7, 0), kLit);      // 1: upper right's corner
    EXPECT_EQ(big.Pixel(9 * 2 + 1, 6), kLit);  // 2: middle/lower left corner lit by either
    EXPECT_EQ(big.Pixel(9 * 10 + 4, 6), kGhost);
    EXPECT_EQ(big.Pixel(9 * 11 + 8, 0), kLit);   // percent sign
    EXPECT_EQ(big.Pixel(9 * 11 + 4, 0), kBlack);
    EXPECT_EQ(big.Pixel(9 * 12 + 4, 5), kLit);   // colon centre
    EXPECT_EQ(big.Pixel(9 * 12 + 4, 7), kBlack);
    for (int y = 0; y < 13; ++y)
        for (int x = 117; x < 126; ++x) ASSERT_EQ(big.Pixel(x, y), kBlack);  // 13: empty

    const PixelBuffer& small = s.GrandsBitmap;
    EXPECT_EQ(small.Pixel(0, 0), kLit);  // the small strip's key
    EXPECT_EQ(small.Pixel(2, 7 + 3), kGhost);  // 1: middle unlit
    EXPECT_EQ(small.Pixel(4, 70), kLit);       // percent sign, row 0
    EXPECT_EQ(small.Pixel(2, 70), kBlack);
    EXPECT_EQ(small.Pixel(2, 77 + 3), kGhost);  // blank cell

    EXPECT_EQ(s.OnlineBitmap.Pixel(6, 7), kLit);
    EXPECT_EQ(s.OnlineBitmap.Pixel(6, 0), kMarkRed);
    EXPECT_EQ(s.OfflineBitmap.Pixel(6, 7), kGhost);
    EXPECT_EQ(s.OfflineBitmap.Pixel(6, 0), kGhost);
    for (int x = 0; x < 12; ++x) EXPECT_EQ(s.OnlineBitmap.Pixel(x, 14), kBlack);
}

TEST(BmpReader, ReadsTopDownRows) {
    PixelBuffer p(3, 2);
    p.SetPixel(0, 0, kLit);
    p.SetPixel(2, 1, kMarkRed);
    std::vector<uint8_t> file = art::EncodeBmp8(p);
    // Flip to top-down: negative height, rows in the other order.
    Put32(file, 22, uint32_t(-2));
    const size_t bits = 14 + 40 + 1024;
    std::swap_ranges(file.begin() + bits, file.begin() + bits + 4, file.begin() + bits + 4);
    EXPECT_EQ(ReadBmp(file), p);
}

TEST(BmpReader, EveryTruncationIsRefusedWithAMessage) {
    const std::vector<uint8_t> file = art::EncodeBmp8(art::PlugArt(true));
    for (const auto& whole : {file, Bare(file)}) {
        for (size_t n = 0; n < whole.size(); ++n) {
            const std::vector<uint8_t> cut(whole.begin(), whole.begin() + n);
            EXPECT_NE(ErrorOf(cut), "") << "accepted " << n << " of " << whole.size() << " bytes";
        }
        EXPECT_NO_THROW(ReadBmp(whole));
    }
    EXPECT_NE(ErrorOf(std::vector<uint8_t>(file.begin(), file.end() - 1)).find("truncated"),
              std::string::npos);
}

TEST(BmpReader, MalformedHeadersAreRefused) {
    const std::vector<uint8_t> good = art::EncodeBmp8(art::PlugArt(false));
    struct Case {
        const char* what;
        size_t at;
        uint32_t value;
        int bytes;
        const char* message;
    };
    const Case cases[] = {
        {"24-bit", 28, 24, 2, "depth"},
        {"RLE8", 30, 1, 4, "compressed"},
        {"two planes", 26, 2, 2, "planes"},
        {"zero width", 18, 0, 4, "out of range"},
        {"negative width", 18, uint32_t(-12), 4, "out of range"},
        {"huge height", 22, 1u << 30, 4, "out of range"},
        {"most negative height", 22, 0x80000000u, 4, "out of range"},
        {"core header", 14, 12, 4, "header"},
        {"header past the end", 14, 0x7FFFFFFF, 4, "truncated"},
        {"palette too big", 46, 257, 4, "palette"},
        {"pixels inside the headers", 10, 20, 4, "overlaps"},
        {"pixels past the end", 10, 0xFFFFFFF0u, 4, "truncated"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = good;
        for (int i = 0; i < c.bytes; ++i) bad[c.at + i] = uint8_t(c.value >> (8 * i));
        EXPECT_NE(ErrorOf(bad).find(c.message), std::string::npos)
            << c.what << ": " << ErrorOf(bad);
    }
}

TEST(BmpReader, PixelOutsideAShortPaletteIsRefused) {
    std::vector<uint8_t> file = art::EncodeBmp8(art::PlugArt(true));  // uses index 3 (red)
    Put32(file, 46, 3);                  // palette of three colours...
    Put32(file, 10, 14 + 40 + 3 * 4);    // ...with the pixels right after it
    file.erase(file.begin() + 14 + 40 + 12, file.begin() + 14 + 40 + 1024);
    EXPECT_NE(ErrorOf(file).find("palette"), std::string::npos) << ErrorOf(file);
}

TEST(GlyphBitmaps, LoadingRefusesAStripOfTheWrongSize) {
    class Swapped final : public GlyphBitmapSource {
    public:
        std::span<const uint8_t> Bytes(const std::string& name) const override {
            return inner.Bytes(name == "CHIFFRES" ? "GRANDS" : name);
        }
        EmbeddedGlyphSource inner;
    };
    try {
        LoadGlyphStrips(Swapped());
        FAIL() << "loaded a 5 x 84 strip as CHIFFRES";
    } catch (const BitmapError& e) {
        EXPECT_NE(std::string(e.what()).find("CHIFFRES"), std::string::npos) << e.what();
    }
    EXPECT_THROW(EmbeddedGlyphSource().Bytes("ABSENT"), std::runtime_error);
}

}  // namespace
}  // namespace kavelo
