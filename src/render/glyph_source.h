#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace kavelo {

// Where the glyph bitmaps come from: the program's BITMAP resources on
// Windows, bytes embedded at build time elsewhere. A bitmap's bytes are a
// .bmp file or a bare DIB; they stay valid as long as the source.
class GlyphBitmapSource {
public:
    virtual ~GlyphBitmapSource() = default;
    // Throws std::runtime_error when there is no bitmap of that name.
    virtual std::span<const uint8_t> Bytes(const std::string& name) const = 0;
};

// The four glyph bitmaps compiled into the program from resources/*.bmp.
class EmbeddedGlyphSource final : public GlyphBitmapSource {
public:
    std::span<const uint8_t> Bytes(const std::string& name) const override;
};

}  // namespace kavelo
