#include "app/details_figures.h"

#include <iterator>

namespace kavelo {

namespace {

constexpr const char* kUnknown = "Unknown";
constexpr const char* kLabels[] = {
    "Charge",          "State",          "Rate",         "Remaining energy",    "Full-charge capacity",
    "Design capacity", "Health",         "Cycle count",  "Voltage",             "Time left (learned)",
    "Time left (Windows)", "Time to full (learned)",
};

std::string Energy(int32_t mwh) { return mwh > 0 ? Thousandths(mwh) + " Wh" : kUnknown; }

int64_t Magnitude(int32_t v) { return v < 0 ? -static_cast<int64_t>(v) : v; }

std::string Percent(int64_t value) { return std::to_string(value) + " %"; }

// "2 h 05 min", "45 min".
std::string Duration(int32_t seconds) {
    if (seconds < 0) return kUnknown;
    const int32_t minutes = seconds / 60;
    std::string text;
    if (minutes >= 60) text = std::to_string(minutes / 60) + " h ";
    const int32_t m = minutes % 60;
    return text + (minutes >= 60 && m < 10 ? "0" : "") + std::to_string(m) + " min";
}

std::string State(const PowerStatus& p) {
    if (p.BatteryFlag != 255 && (p.BatteryFlag & 128) != 0) return "No battery";
    if (p.ACLineStatus == 0) return "On battery";
    if (p.ACLineStatus != 1) return kUnknown;
    if (IsCharging(p)) return "Charging";
    return p.BatteryLifePercent == 100 ? "Charged" : "On mains, not charging";
}

}  // namespace

std::string Thousandths(int64_t value, int decimals) {
    const int64_t step = decimals >= 2 ? 10 : 100;
    const int64_t one = 1000 / step;
    const int64_t n = (value + step / 2) / step;
    std::string fraction = std::to_string(n % one);
    while (fraction.size() < static_cast<size_t>(decimals)) fraction.insert(fraction.begin(), '0');
    std::string text = std::to_string(n / one);
    text += '.';
    return text += fraction;
}

std::vector<std::string> DetailsLabels() { return {std::begin(kLabels), std::end(kLabels)}; }

std::vector<std::string> DetailsValues(const DetailsInput& in) {
    const BatteryDesign& d = in.design;
    const int32_t rate = in.energy.rateMw != kUnknownRate && in.energy.rateMw != 0 ? in.energy.rateMw : d.rateMw;
    const int32_t full = in.energy.fullMwh > 0 ? in.energy.fullMwh : d.fullMwh;
    // Wear compares the devices' own two figures where they give both.
    const int32_t worn = d.fullMwh > 0 ? d.fullMwh : full;
    const bool onBattery = in.power.ACLineStatus == 0;
    return {
        in.power.BatteryLifePercent <= 100 ? Percent(in.power.BatteryLifePercent) : kUnknown,
        State(in.power),
        rate != kUnknownRate && rate != 0 ? Thousandths(Magnitude(rate)) + " W" : kUnknown,
        Energy(in.energy.remainingMwh),
        Energy(full),
        Energy(d.designMwh),
        d.designMwh > 0 && worn > 0 ? Percent((static_cast<int64_t>(worn) * 100 + d.designMwh / 2) / d.designMwh)
                                    : kUnknown,
        d.cycleCount > 0 ? std::to_string(d.cycleCount) : kUnknown,
        d.voltageMv > 0 ? Thousandths(d.voltageMv, 2) + " V" : kUnknown,
        Duration(onBattery ? in.learnedSecondsLeft : -1),
        Duration(onBattery ? in.energy.windowsSecondsLeft : -1),
        Duration(IsCharging(in.power) ? in.learnedSecondsToFull : -1),
    };
}

std::string DetailsCopyText(const std::vector<std::string>& values) {
    std::string text;
    for (size_t i = 0; i < values.size() && i < std::size(kLabels); ++i) {
        if (i) text += "\r\n";
        text += kLabels[i];
        text += ": ";
        text += values[i];
    }
    return text;
}

std::string RateLineText(int32_t rateMw, const PowerStatus& power) {
    if (rateMw == kUnknownRate || rateMw == 0) return {};
    const std::string watts = Thousandths(Magnitude(rateMw)) + " W";
    if (IsCharging(power)) return "Charging at " + watts;
    if (power.ACLineStatus == 0) return "Discharging at " + watts;
    return {};
}

}  // namespace kavelo
