#pragma once
#include <cstdint>
#include <vector>

#include "core/gauge_state.h"  // Colour

namespace kavelo {

// A picture in memory: 32-bit pixels holding colours 0x00BBGGRR, row-major,
// top row first. Every drawing operation clips to the buffer, as a device
// context clips to its bitmap; reading a single pixel outside it is a fault.
// Rectangles run from (left, top) to (right, bottom), both exclusive at the
// far end.
class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(int width, int height, Colour fill = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Colour Pixel(int x, int y) const;       // throws std::out_of_range outside
    void SetPixel(int x, int y, Colour c);  // ignored outside
    const Colour* Data() const { return pixels_.data(); }

    void Fill(Colour c);
    void FillRect(int left, int top, int right, int bottom, Colour c);
    // A line that leaves out its end point, so that joined lines never
    // paint a corner twice. Each of its points is a `pen` x `pen` square
    // whose top-left corner is the point.
    void Line(int x0, int y0, int x1, int y1, Colour c, int pen = 1);

    // Copies the width x height block of `src` at (sx, sy) to (dx, dy).
    void Copy(int dx, int dy, const PixelBuffer& src, int sx, int sy, int width, int height);
    // The same copy, except that source pixels equal to `key` are painted in
    // `brush`; that is how a glyph's lit pixels take the colour of the moment.
    void KeyColourCopy(int dx, int dy, const PixelBuffer& src, int sx, int sy, int width,
                       int height, Colour key, Colour brush);
    // Copies the source rectangle into the destination rectangle, scaling
    // each axis by nearest neighbour (each target pixel takes the source pixel
    // under its centre), never blending colours.
    void ScaledCopy(int left, int top, int right, int bottom, const PixelBuffer& src, int sleft,
                    int stop, int sright, int sbottom);

    // The block of this buffer at (x, y), width x height, as a new buffer.
    PixelBuffer Crop(int x, int y, int width, int height) const;

    friend bool operator==(const PixelBuffer& a, const PixelBuffer& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
    }

private:
    template <typename Paint>
    void Blit(int dx, int dy, const PixelBuffer& src, int sx, int sy, int width, int height,
              Paint paint);

    int width_ = 0;
    int height_ = 0;
    std::vector<Colour> pixels_;
};

// Each pixel of `picture` becomes a factor x factor block; throws
// std::invalid_argument for a factor below 1.
PixelBuffer ScaleUp(const PixelBuffer& picture, int factor);

}  // namespace kavelo
