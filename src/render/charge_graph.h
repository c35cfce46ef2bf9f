#pragma once
// The charge over the last 24 hours or 7 days, drawn from the charge log for
// the details window: a line through the logged percentages, broken where
// the gauge was not running or the machine slept, the spans on mains shaded,
// local hour marks (local days over 7 days), the percent axis at 0, 50 and
// 100, and the current percentage at the right end.
#include <cstdint>
#include <vector>

#include "core/charge_log.h"
#include "core/day_clock.h"
#include "render/pixel_buffer.h"

namespace kavelo {

// The picture is drawn at the size it is shown, its margins scaled by
// dpi / 96, strokes and digits a whole number of pixels thick.

inline constexpr Colour kGraphBackground = 0xFFFFFF;
inline constexpr Colour kGraphMains = 0xC8F0FF;  // light yellow
inline constexpr Colour kGraphGrid = 0xE0E0E0;
inline constexpr Colour kGraphText = 0x606060;
inline constexpr Colour kGraphLine = 0xC06000;  // blue

struct ChargeGraphView {
    int64_t nowUtcSeconds = 0;
    bool week = false;        // the last 7 days, else the last 24 hours
    int currentPercent = -1;  // -1 unknown
    bool onMains = false;
    int dpi = 96;
    int width = 320, height = 120;  // pixels
};

// The plotting area of the picture: time runs from left to right - 1, the
// percentage from bottom - 1 up to top.
struct GraphArea {
    int left, top, right, bottom;
};
GraphArea ChargeGraphArea(const ChargeGraphView& view);

// `grands` is the small glyph strip: its lit pixels draw the digits and '%'.
PixelBuffer DrawChargeGraph(const std::vector<LogRow>& rows, const ChargeGraphView& view, Clock& clock,
                            const PixelBuffer& grands);

}  // namespace kavelo
