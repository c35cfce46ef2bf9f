#include "render/glyph_text.h"

#include <string>

#include "render/bmp_reader.h"

namespace kavelo {
namespace {

PixelBuffer LoadOne(const GlyphBitmapSource& source, const char* name, int width, int height) {
    PixelBuffer bitmap;
    try {
        bitmap = ReadBmp(source.Bytes(name));
    } catch (const BitmapError& e) {
        throw BitmapError(std::string("glyph bitmap \"") + name + "\": " + e.what());
    }
    if (bitmap.Width() != width || bitmap.Height() != height)
        throw BitmapError(std::string("glyph bitmap \"") + name + "\" is " +
                          std::to_string(bitmap.Width()) + " x " +
                          std::to_string(bitmap.Height()) + ", expected " +
                          std::to_string(width) + " x " + std::to_string(height));
    return bitmap;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

GlyphStrips LoadGlyphStrips(const GlyphBitmapSource& source) {
    GlyphStrips strips;
    strips.ChiffresBitmap = LoadOne(source, "CHIFFRES", 126, 13);
    strips.OnlineBitmap = LoadOne(source, "ONLINE", 12, 16);
    strips.OfflineBitmap = LoadOne(source, "OFFLINE", 12, 16);
    strips.GrandsBitmap = LoadOne(source, "GRANDS", 5, 84);
    return strips;
}

void DrawLargeText(PixelBuffer& canvas, const PixelBuffer& chiffres, std::string_view text,
                   int x0, Colour brush) {
    int cell = kLargeCellBlank;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) cell = c - '0';
        else if (c == ' ') cell = kLargeCellBlank;
        else if (c == '%') cell = kLargeCellPercent;
        else if (c == ':') cell = kLargeCellColon;
        canvas.KeyColourCopy(x0 + kLargePitch * static_cast<int>(i), 1, chiffres,
                             kLargeWidth * cell, 0, kLargeWidth, kLargeHeight, 0x00FF00, brush);
    }
}

void DrawSmallGlyphs(PixelBuffer& canvas, const PixelBuffer& grands, std::string_view text,
                     int left, int top, Colour brush) {
    int cell = 0;
    const Colour key = grands.Pixel(0, 0);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) cell = c - '0';
        else if (c == ' ') cell = kSmallCellBlank;
        else if (c == '%') cell = kSmallCellPercent;
        canvas.KeyColourCopy(left + kSmallPitch * static_cast<int>(i), top, grands, 0,
                             kSmallHeight * cell, kSmallWidth, kSmallHeight, key, brush);
    }
}

}  // namespace kavelo
