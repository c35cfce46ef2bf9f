#include "platform/win32/glyph_resources_win32.h"

#include <stdexcept>

namespace kavelo::win32 {

std::span<const uint8_t> ResourceGlyphSource::Bytes(const std::string& name) const {
    HMODULE module = module_ ? module_ : GetModuleHandleA(nullptr);
    // Resource memory belongs to the module: nothing to free or unlock.
    HRSRC info = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!info) throw std::runtime_error("bitmap resource \"" + name + "\" not found");
    HGLOBAL handle = LoadResource(module, info);
    const DWORD size = SizeofResource(module, info);
    const void* data = handle ? LockResource(handle) : nullptr;
    if (!data || size == 0) throw std::runtime_error("bitmap resource \"" + name + "\" unreadable");
    return {static_cast<const uint8_t*>(data), size};
}

}  // namespace kavelo::win32
