#include "render/pixel_buffer.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace kavelo {

PixelBuffer::PixelBuffer(int width, int height, Colour fill) {
    if (width < 0 || height < 0)
        throw std::invalid_argument("negative picture size " + std::to_string(width) + " x " +
                                    std::to_string(height));
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
}

Colour PixelBuffer::Pixel(int x, int y) const {
    if (!Contains(x, y))
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") outside a " + std::to_string(width_) + " x " +
                                std::to_string(height_) + " picture");
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

void PixelBuffer::SetPixel(int x, int y, Colour c) {
    if (Contains(x, y)) pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void PixelBuffer::Fill(Colour c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void PixelBuffer::FillRect(int left, int top, int right, int bottom, Colour c) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void PixelBuffer::Line(int x0, int y0, int x1, int y1, Colour c, int pen) {
    // Bresenham with a shared error term; the loop stops on reaching the end
    // point before painting it.
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (x0 != x1 || y0 != y1) {
        FillRect(x0, y0, x0 + pen, y0 + pen, c);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

template <typename Paint>
void PixelBuffer::Blit(int dx, int dy, const PixelBuffer& src, int sx, int sy, int width,
                       int height, Paint paint) {
    // Clip the block against both pictures, moving both corners together.
    auto clip = [](int& d, int& s, int& len, int dlimit, int slimit) {
        const int skip = std::max({0, -d, -s});
        d += skip;
        s += skip;
        len -= skip;
        len = std::min({len, dlimit - d, slimit - s});
    };
    clip(dx, sx, width, width_, src.width_);
    clip(dy, sy, height, height_, src.height_);
    if (width <= 0 || height <= 0) return;
    // A copy within one picture would read what it has just written.
    const PixelBuffer* from = &src;
    PixelBuffer snapshot;
    if (&src == this) {
        snapshot = src;
        from = &snapshot;
    }
    for (int y = 0; y < height; ++y) {
        const Colour* in = &from->pixels_[static_cast<size_t>(sy + y) * from->width_ + sx];
        Colour* out = &pixels_[static_cast<size_t>(dy + y) * width_ + dx];
        for (int x = 0; x < width; ++x) out[x] = paint(in[x]);
    }
}

void PixelBuffer::Copy(int dx, int dy, const PixelBuffer& src, int sx, int sy, int width,
                       int height) {
    Blit(dx, dy, src, sx, sy, width, height, [](Colour c) { return c; });
}

void PixelBuffer::KeyColourCopy(int dx, int dy, const PixelBuffer& src, int sx, int sy,
                                int width, int height, Colour key, Colour brush) {
    Blit(dx, dy, src, sx, sy, width, height,
         [key, brush](Colour c) { return c == key ? brush : c; });
}

void PixelBuffer::ScaledCopy(int left, int top, int right, int bottom, const PixelBuffer& src,
                             int sleft, int stop, int sright, int sbottom) {
    const int dw = right - left, dh = bottom - top;
    const int sw = sright - sleft, sh = sbottom - stop;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    const PixelBuffer snapshot = &src == this ? src : PixelBuffer();
    const PixelBuffer& from = &src == this ? snapshot : src;
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
        // The source row under the centre of target row y.
        const int64_t ry = (2 * int64_t(y - top) + 1) * sh / (2 * int64_t(dh));
        const int syy = stop + static_cast<int>(ry);
        if (syy < 0 || syy >= from.height_) continue;
        for (int x = std::max(left, 0); x < std::min(right, width_); ++x) {
            const int64_t rx = (2 * int64_t(x - left) + 1) * sw / (2 * int64_t(dw));
            const int sxx = sleft + static_cast<int>(rx);
            if (sxx < 0 || sxx >= from.width_) continue;
            pixels_[static_cast<size_t>(y) * width_ + x] =
                from.pixels_[static_cast<size_t>(syy) * from.width_ + sxx];
        }
    }
}

PixelBuffer PixelBuffer::Crop(int x, int y, int width, int height) const {
    PixelBuffer out(width, height);
    out.Copy(0, 0, *this, x, y, width, height);
    return out;
}

PixelBuffer ScaleUp(const PixelBuffer& picture, int factor) {
    if (factor < 1) throw std::invalid_argument("scale factor must be at least 1");
    PixelBuffer out(picture.Width() * factor, picture.Height() * factor);
    out.ScaledCopy(0, 0, out.Width(), out.Height(), picture, 0, 0, picture.Width(),
                   picture.Height());
    return out;
}

}  // namespace kavelo
