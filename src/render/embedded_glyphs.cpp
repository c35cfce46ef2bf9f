#include <stdexcept>

#include "render/glyph_source.h"

namespace kavelo {
namespace embedded {
std::span<const uint8_t> Find(const std::string& name);  // generated
}

std::span<const uint8_t> EmbeddedGlyphSource::Bytes(const std::string& name) const {
    const std::span<const uint8_t> bytes = embedded::Find(name);
    if (bytes.empty()) throw std::runtime_error("no embedded bitmap named \"" + name + "\"");
    return bytes;
}

}  // namespace kavelo
