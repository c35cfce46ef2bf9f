#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "render/pixel_buffer.h"

namespace kavelo {

inline constexpr int kTrayPictureWidth = 32;  // two 16 x 16 icons side by side
inline constexpr int kTrayPictureHeight = 16;
inline constexpr int kTrayIconSize = 16;
inline constexpr Colour kTraySilver = 0xC0C0C0;
inline constexpr Colour kPlugTeal = 0x808000;

// One tray glyph (7 x 13) with its top-left corner at (x, y), in `pen`:
// '0'-'9' and the animation frames 'A'-'F' from TraySegments, '%', ':', and
// 'P', the plug, drawn from `online` (the lit plug icon) in its own fixed
// colours on silver. Anything else draws nothing.
void DrawTrayGlyph(PixelBuffer& canvas, int x, int y, char c, Colour pen,
                   const PixelBuffer& online);

// Draws a face's text on a tray picture: a shadow pass offset by (1, 1),
// then the glyphs in `pen`. On mains, a percentage whose first place is
// empty gets the plug there.
void DrawTrayText(PixelBuffer& picture, std::string text, bool onMains, Colour pen,
                  Colour shadow, const PixelBuffer& online);

// The number right-aligned in `width` characters, as printf's "%*d" writes it.
std::string RightAligned(int value, std::size_t width);

// The tip of both tray icons: "Battery :  57%", with " (charged)" at 100 %
// or " (charging)" below it when on mains.
std::string TrayTipText(uint8_t percent, bool onMains);

}  // namespace kavelo
