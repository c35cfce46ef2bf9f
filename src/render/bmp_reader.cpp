#include "render/bmp_reader.h"

#include <string>

namespace kavelo {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

// Little-endian fields at checked offsets of the input.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    size_t size() const { return bytes_.size(); }
    void Need(size_t offset, size_t count, const char* what) const {
        if (offset > bytes_.size() || count > bytes_.size() - offset)
            throw BitmapError(std::string("bitmap truncated: ") + what + " needs " +
                              std::to_string(count) + " bytes at offset " +
                              std::to_string(offset) + ", input has " +
                              std::to_string(bytes_.size()));
    }
    uint8_t U8(size_t at) const { return bytes_[at]; }
    uint16_t U16(size_t at) const { return uint16_t(bytes_[at] | bytes_[at + 1] << 8); }
    uint32_t U32(size_t at) const {
        return uint32_t(bytes_[at]) | uint32_t(bytes_[at + 1]) << 8 |
               uint32_t(bytes_[at + 2]) << 16 | uint32_t(bytes_[at + 3]) << 24;
    }

private:
    std::span<const uint8_t> bytes_;
};

}  // namespace

PixelBuffer ReadBmp(std::span<const uint8_t> bytes) {
    const Reader in(bytes);
    in.Need(0, 2, "header");
    const bool wholeFile = in.U8(0) == 'B' && in.U8(1) == 'M';
    const size_t dib = wholeFile ? kFileHeaderSize : 0;

    in.Need(dib, 4, "info header size");
    const uint32_t headerSize = in.U32(dib);
    if (headerSize < kInfoHeaderSize)
        throw BitmapError("unsupported bitmap header of " + std::to_string(headerSize) +
                          " bytes (at least 40 expected)");
    in.Need(dib, headerSize, "info header");

    const int32_t width = static_cast<int32_t>(in.U32(dib + 4));
    const int32_t rawHeight = static_cast<int32_t>(in.U32(dib + 8));
    const uint16_t planes = in.U16(dib + 12);
    const uint16_t bitCount = in.U16(dib + 14);
    const uint32_t compression = in.U32(dib + 16);
    const uint32_t coloursUsed = in.U32(dib + 32);

    if (planes != 1) throw BitmapError("bitmap has " + std::to_string(planes) + " planes, not 1");
    if (bitCount != 8)
        throw BitmapError("unsupported bitmap depth of " + std::to_string(bitCount) +
                          " bits (8 expected)");
    if (compression != 0)
        throw BitmapError("compressed bitmaps are not supported (compression " +
                          std::to_string(compression) + ")");
    // The smallest negative height cannot be negated: reject it with the rest.
    const bool topDown = rawHeight < 0;
    if (width <= 0 || width > kMaxBitmapSide || rawHeight == 0 ||
        rawHeight < -kMaxBitmapSide || rawHeight > kMaxBitmapSide)
        throw BitmapError("bitmap size " + std::to_string(width) + " x " +
                          std::to_string(rawHeight) + " out of range");
    const int height = topDown ? -rawHeight : rawHeight;
    if (coloursUsed > 256)
        throw BitmapError("bitmap palette of " + std::to_string(coloursUsed) +
                          " colours (at most 256)");
    const uint32_t paletteSize = coloursUsed == 0 ? 256 : coloursUsed;

    const size_t paletteAt = dib + headerSize;
    in.Need(paletteAt, size_t(paletteSize) * 4, "palette");
    Colour palette[256];
    for (uint32_t i = 0; i < paletteSize; ++i) {
        const size_t at = paletteAt + size_t(i) * 4;  // blue, green, red, reserved
        palette[i] = Colour(in.U8(at + 2)) | Colour(in.U8(at + 1)) << 8 | Colour(in.U8(at)) << 16;
    }

    size_t bitsAt = paletteAt + size_t(paletteSize) * 4;
    if (wholeFile) {
        in.Need(10, 4, "pixel offset");
        const uint32_t offBits = in.U32(10);
        if (offBits < bitsAt)
            throw BitmapError("bitmap pixel offset " + std::to_string(offBits) +
                              " overlaps its headers");
        bitsAt = offBits;
    }
    const size_t stride = (size_t(width) + 3) / 4 * 4;
    in.Need(bitsAt, stride * size_t(height), "pixel rows");

    PixelBuffer out(width, height);
    for (int row = 0; row < height; ++row) {
        const size_t rowAt = bitsAt + stride * size_t(row);
        const int y = topDown ? row : height - 1 - row;
        for (int x = 0; x < width; ++x) {
            const uint8_t index = in.U8(rowAt + size_t(x));
            if (index >= paletteSize)
                throw BitmapError("bitmap pixel (" + std::to_string(x) + ", " +
                                  std::to_string(y) + ") uses colour " + std::to_string(index) +
                                  " of a " + std::to_string(paletteSize) + "-colour palette");
            out.SetPixel(x, y, palette[index]);
        }
    }
    return out;
}

}  // namespace kavelo
