#pragma once
#include "render/pixel_buffer.h"

namespace kavelo {

// The gauge window has no frame of its own: its panel draws a two-pixel
// sunken edge, a lowered bevel and a raised bevel, four pixels in all, round
// the face image.
inline constexpr int kPanelFrame = 4;
inline constexpr int kWindowHeight = 24;
inline constexpr int kPercentWindowWidth = 68;  // four cells
inline constexpr int kTimeWindowWidth = 80;     // five cells

// The gauge window's whole scale factor on a monitor of `dpi` dots per
// inch: dpi / 96 rounded to the nearest whole number, halves up, at least 1.
// The window is the 96-DPI picture with each pixel a k x k block.
inline int WindowScale(int dpi) { return dpi < 144 ? 1 : (dpi + 48) / 96; }

// The frame alone, its inside filled with `interior`: what the window shows
// round its label when the charge cannot be read.
PixelBuffer WindowFrame(int windowWidth, int windowHeight, Colour interior = 0);

// The whole window: the frame, and inside it the top-left part of `canvas`
// that fits (60 x 16 or 72 x 16).
PixelBuffer WindowPicture(const PixelBuffer& canvas, int windowWidth, int windowHeight);

}  // namespace kavelo
