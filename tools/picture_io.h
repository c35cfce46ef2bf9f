#pragma once
// Writing pictures out: PNG for people, binary PPM for byte-exact
// comparison of screenshots, and a small text form for golden pictures.
#include <iosfwd>
#include <string>

#include "render/pixel_buffer.h"

namespace kavelo::io {

// Throw std::runtime_error when the file cannot be written; "-" is stdout.
void WritePng(const std::string& path, const PixelBuffer& picture);
void WritePpm(std::ostream& out, const PixelBuffer& picture);  // P6, 8 bits per sample
void WritePpm(const std::string& path, const PixelBuffer& picture);

// Text form: a "kavelo-picture W H" line, one line per colour giving its
// character and its value as 6 hex digits 0xBBGGRR, an empty line, then one
// line of characters per row. The usual colours keep fixed characters
// ('.' black, 'g' ghost, '#' lit green, 'R' red, 's' silver, 'd' grey...).
std::string ToText(const PixelBuffer& picture);
PixelBuffer FromText(const std::string& text);  // throws std::runtime_error
void WriteText(const std::string& path, const PixelBuffer& picture);
PixelBuffer ReadTextFile(const std::string& path);

}  // namespace kavelo::io
