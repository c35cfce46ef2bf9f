#pragma once
#include <cstdint>

namespace kavelo {

// The system's colour chooser, preset to a colour (0x00BBGGRR). Returns
// true and the chosen colour when the user confirms.
class ColorDialog {
public:
    virtual ~ColorDialog() = default;
    virtual bool Execute(uint32_t& colour) = 0;
};

}  // namespace kavelo
