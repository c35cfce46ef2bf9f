#pragma once
// Draws the gauge's four glyph bitmaps from the segment tables, and encodes
// them as the 8-bit BMP files that the program carries as resources.
#include <cstdint>
#include <string>
#include <vector>

#include "render/pixel_buffer.h"

namespace kavelo::art {

PixelBuffer ChiffresArt();           // 126 x 13, large strip
PixelBuffer GrandsArt();             // 5 x 84, small strip
PixelBuffer PlugArt(bool online);    // 12 x 16, ONLINE (lit, red mark) or OFFLINE (ghost)

// Uncompressed 8-bit BMP file, rows bottom-up, with a 256-entry palette:
// black, ghost, lit, red, then black to the end. Throws
// std::invalid_argument for a pixel of any other colour.
std::vector<uint8_t> EncodeBmp8(const PixelBuffer& picture);

struct GlyphFile {
    std::string name;  // resource name; the file is <name>.bmp
    std::vector<uint8_t> bytes;
};
std::vector<GlyphFile> GlyphFiles();  // CHIFFRES, GRANDS, ONLINE, OFFLINE

}  // namespace kavelo::art
