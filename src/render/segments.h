#pragma once
#include <array>
#include <cstdint>

#include "core/gauge_state.h"  // Colour

namespace kavelo {

// The seven segments of a digit, in the order of the tables below.
enum Segment : int {
    kTop,
    kUpperLeft,
    kUpperRight,
    kMiddle,
    kLowerLeft,
    kLowerRight,
    kBottom,
    kSegmentCount
};

using SegmentSet = std::array<bool, kSegmentCount>;

// Lit segments of the digits 0 to 9, shared by both glyph strips and the
// tray glyphs.
inline constexpr std::array<SegmentSet, 10> kDigitSegments{{
    {1, 1, 1, 0, 1, 1, 1},  // 0
    {0, 0, 1, 0, 0, 1, 0},  // 1
    {1, 0, 1, 1, 1, 0, 1},  // 2
    {1, 0, 1, 1, 0, 1, 1},  // 3
    {0, 1, 1, 1, 0, 1, 0},  // 4
    {1, 1, 0, 1, 0, 1, 1},  // 5
    {1, 1, 0, 1, 1, 1, 1},  // 6
    {1, 0, 1, 0, 0, 1, 0},  // 7
    {1, 1, 1, 1, 1, 1, 1},  // 8
    {1, 1, 1, 1, 0, 1, 1},  // 9
}};

// Tray glyphs: the digits, then the letters A to F, which are the six frames
// of the turning bar shown while no estimate can be made (two horizontal
// bars, then one diagonal pair of verticals, then the other; twice).
inline constexpr std::array<SegmentSet, 16> TraySegments{{
    kDigitSegments[0], kDigitSegments[1], kDigitSegments[2], kDigitSegments[3],
    kDigitSegments[4], kDigitSegments[5], kDigitSegments[6], kDigitSegments[7],
    kDigitSegments[8], kDigitSegments[9],
    {1, 0, 0, 0, 0, 0, 1},  // A
    {0, 1, 0, 0, 0, 1, 0},  // B
    {0, 0, 1, 0, 1, 0, 0},  // C
    {1, 0, 0, 0, 0, 0, 1},  // D
    {0, 1, 0, 0, 0, 1, 0},  // E
    {0, 0, 1, 0, 1, 0, 0},  // F
}};

// Colours of the glyph bitmaps.
inline constexpr Colour kLit = 0x00FF00;
inline constexpr Colour kGhost = 0x002000;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kMarkRed = 0x0000FF;

}  // namespace kavelo
