#pragma once
// The tray icons' tip, composed in one place from what one refresh knows.
#include <cstdint>
#include <string>

#include "core/gauge_state.h"

namespace kavelo {

// What the tip says, taken from the refresh's reading and estimates.
struct TipFacts {
    uint8_t percent = 0;
    bool onMains = false;
    int32_t secondsToFull = -1;  // -1: not known
    std::string rateLine;        // "Discharging at 5.5 W"; empty when not known
};

TipFacts TipFactsOf(const GaugeState& state);

// "Battery :  57% (charging)", then the rate line when known, then on mains
// with a known time to full "Full in about 1 h 20 min".
std::string TrayTip(const TipFacts& facts);

}  // namespace kavelo
