#pragma once
#include <cstdint>
#include <span>
#include <stdexcept>

#include "render/pixel_buffer.h"

namespace kavelo {

// A bitmap that cannot be decoded: truncated, malformed or of a kind the
// gauge does not use. The message says what is wrong.
class BitmapError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decodes an uncompressed 8-bit palette bitmap, either a whole .bmp file
// (file header first) or a bare DIB (info header, palette, pixels), which is
// what a BITMAP resource holds. Rows may run bottom-up or top-down. Reads
// nothing outside `bytes`; throws BitmapError on anything it cannot decode.
PixelBuffer ReadBmp(std::span<const uint8_t> bytes);

// Largest width or height accepted; the gauge's bitmaps are far smaller.
constexpr int kMaxBitmapSide = 4096;

}  // namespace kavelo
