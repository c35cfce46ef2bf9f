// libFuzzer target: the bitmap reader must decode or throw BitmapError, and
// never read outside its input (checked by the address sanitizer).
#include <cstddef>
#include <cstdint>
#include <span>

#include "render/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const kavelo::PixelBuffer p = kavelo::ReadBmp(std::span<const uint8_t>(data, size));
        // Touch every pixel so that a wrong size shows up.
        uint32_t sum = 0;
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x) sum += p.Pixel(x, y);
        if (p.Width() <= 0 || p.Height() <= 0) __builtin_trap();
        (void)sum;
    } catch (const kavelo::BitmapError&) {
    }
    return 0;
}
