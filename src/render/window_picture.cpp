#include "render/window_picture.h"

namespace kavelo {
namespace {

// One ring inset by `inset` from the picture's edge. As in Windows' own
// edges, the bottom/right colour owns the top-right and bottom-left corners.
void Ring(PixelBuffer& p, int inset, Colour topLeft, Colour bottomRight) {
    const int l = inset, t = inset, r = p.Width() - 1 - inset, b = p.Height() - 1 - inset;
    if (r < l || b < t) return;
    p.FillRect(l, t, r, t + 1, topLeft);                 // top, its right corner left out
    p.FillRect(l, t, l + 1, b, topLeft);                 // left, its bottom corner left out
    p.FillRect(l, b, r + 1, b + 1, bottomRight);         // bottom
    p.FillRect(r, t, r + 1, b + 1, bottomRight);         // right
}

}  // namespace

PixelBuffer WindowFrame(int windowWidth, int windowHeight, Colour interior) {
    PixelBuffer picture(windowWidth, windowHeight, interior);
    Ring(picture, 0, 0x808080, 0xFFFFFF);  // sunken edge, outer
    Ring(picture, 1, 0x404040, 0xE0E0E0);  // sunken edge, inner
    Ring(picture, 2, 0x808080, 0xFFFFFF);  // lowered bevel
    Ring(picture, 3, 0xFFFFFF, 0x808080);  // raised bevel
    return picture;
}

PixelBuffer WindowPicture(const PixelBuffer& canvas, int windowWidth, int windowHeight) {
    PixelBuffer picture = WindowFrame(windowWidth, windowHeight);
    picture.Copy(kPanelFrame, kPanelFrame, canvas, 0, 0, windowWidth - 2 * kPanelFrame,
                 windowHeight - 2 * kPanelFrame);
    return picture;
}

}  // namespace kavelo
