#pragma once
// The figures of the "Battery details" window and the tip's rate line, as
// texts.
#include <cstdint>
#include <string>
#include <vector>

#include "core/battery_reading.h"
#include "core/power.h"

namespace kavelo {

// Everything the figures are made from.
struct DetailsInput {
    PowerStatus power{};
    BatteryEnergy energy{};
    BatteryDesign design{};
    int32_t learnedSecondsLeft = -1;  // Kavelo's own estimate on battery
    int32_t learnedSecondsToFull = -1;
};

struct DetailsFigure {
    const char* label;
    std::string value;
};

// The labels, in their order on the window and on the clipboard.
std::vector<std::string> DetailsLabels();
// The values, in the labels' order; "Unknown" where the system does not say.
std::vector<std::string> DetailsValues(const DetailsInput& in);
// "Label: value" lines, CRLF-separated.
std::string DetailsCopyText(const std::vector<std::string>& values);

// "Discharging at 5.5 W" on battery, "Charging at 45.0 W" while charging;
// empty when the rate is unknown or the battery neither charges nor
// discharges. The direction comes from the power status, since some systems
// give the rate's sign wrong.
std::string RateLineText(int32_t rateMw, const PowerStatus& power);

// 5500 -> "5.5", 11100 with 2 decimals -> "11.10": thousandths of a unit,
// not negative, with one or two decimals, rounded.
std::string Thousandths(int64_t value, int decimals = 1);

}  // namespace kavelo
