#pragma once
#include <windows.h>

#include "render/glyph_source.h"

namespace kavelo::win32 {

// The glyph bitmaps from the BITMAP resources of a module (the running
// program by default). A BITMAP resource holds a bare DIB; the bytes stay
// valid while the module is loaded.
class ResourceGlyphSource final : public GlyphBitmapSource {
public:
    explicit ResourceGlyphSource(HMODULE module = nullptr) : module_(module) {}
    // Throws std::runtime_error when the module has no such bitmap.
    std::span<const uint8_t> Bytes(const std::string& name) const override;

private:
    HMODULE module_;
};

}  // namespace kavelo::win32
