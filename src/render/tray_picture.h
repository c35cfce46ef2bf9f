#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "render/pixel_buffer.h"

namespace kavelo {

// At 96 DPI: two 16 x 16 icons side by side.
inline constexpr int kTrayPictureWidth = 32;
inline constexpr int kTrayPictureHeight = 16;
inline constexpr int kTrayIconSize = 16;
inline constexpr Colour kTraySilver = 0xC0C0C0;
inline constexpr Colour kPlugTeal = 0x808000;

// The look of the tray picture. Classic: opaque, on silver, in the tray
// colours. Dark and Light suit the taskbar of that theme: a transparent
// background, light glyphs on a dark taskbar and dark ones on a light one,
// each glyph with a shadow in the opposite tone, so that it still reads
// where the taskbar's colour comes close to the glyph's (an accent colour,
// a wallpaper through a translucent taskbar).
enum class TrayTheme { Classic, Dark, Light };

// A themed picture carries alpha in the top byte, 0xAABBGGRR, as icons
// with an alpha channel take it (straight, not premultiplied). Every pixel
// is either opaque (0xFF) or fully transparent, and a transparent pixel is
// 0 throughout, so a premultiplied reading of it gives the same picture.
inline constexpr Colour kOpaque = 0xFF000000;
inline constexpr Colour kClear = 0;

// Glyphs and shadow of a themed picture (without alpha); the alert colour
// still replaces the glyphs' while an alert is on.
Colour ThemeGlyphColour(TrayTheme theme);
Colour ThemeShadowColour(TrayTheme theme);

// One tray glyph (7 x 13 at icon size 16) with its top-left corner at
// (x, y), in `pen`: '0'-'9' and the animation frames 'A'-'F' from
// TraySegments, '%', ':', and 'P', the plug, drawn from `online` (the lit
// plug icon) in its own fixed colours on silver. Anything else draws
// nothing. At other icon sizes the same geometry is scaled by size / 16:
// every stroke round(size / 16) pixels thick, positions within the glyph
// rounded, no colour blended.
// How 'P' is painted: the classic plug with its silver background; on a
// transparent picture the plug alone in its colours, or (its shadow) the
// plug's shape in the pen.
enum class PlugPaint { OnSilver, OwnColours, InPen };
void DrawTrayGlyph(PixelBuffer& canvas, int x, int y, char c, Colour pen,
                   const PixelBuffer& online, int iconSize = kTrayIconSize,
                   PlugPaint plug = PlugPaint::OnSilver);

// Draws a face's text on a tray picture whose height is the icon size: a
// shadow pass offset by one stroke right and down, then the glyphs in
// `pen`. On mains, a percentage whose first place is empty gets the plug
// there. With `clear` the picture is a transparent one: opaque colours,
// and the plug without background. Cells stand at the 16-pixel layout's columns scaled and rounded,
// so a glyph looks the same in every cell.
void DrawTrayText(PixelBuffer& picture, std::string text, bool onMains, Colour pen,
                  Colour shadow, const PixelBuffer& online, bool clear = false);

// The whole 2S x S picture for icon size S: classic on silver, themed on
// a transparent background with opaque glyphs. At a multiple of 16 it is
// the 16-pixel picture with each pixel an (S / 16) square block.
PixelBuffer TrayPicture(const std::string& text, bool onMains, Colour pen, Colour shadow,
                        const PixelBuffer& online, int iconSize,
                        TrayTheme theme = TrayTheme::Classic);

// The number right-aligned in `width` characters, as printf's "%*d" writes it.
std::string RightAligned(int value, std::size_t width);

// The tip of both tray icons: "Battery :  57%", with " (charged)" at 100 %
// or " (charging)" below it when on mains.
std::string TrayTipText(uint8_t percent, bool onMains);
// The tip's second line while charging: "Full in about 1 h 10 min", the
// minutes rounded to 5 as the time face rounds them, at least 5.
std::string FullInText(int32_t seconds);

}  // namespace kavelo
