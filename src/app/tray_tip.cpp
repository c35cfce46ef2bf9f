#include "app/tray_tip.h"

#include "render/tray_picture.h"

namespace kavelo {

TipFacts TipFactsOf(const GaugeState& state) {
    return {state.Power.BatteryLifePercent, state.OnMains, state.SecondsToFull, {}};
}

std::string TrayTip(const TipFacts& facts) {
    std::string tip = TrayTipText(facts.percent, facts.onMains);
    if (!facts.rateLine.empty()) {
        tip += '\n';
        tip += facts.rateLine;
    }
    if (facts.onMains && facts.secondsToFull >= 0) {
        tip += '\n';
        tip += FullInText(facts.secondsToFull);
    }
    return tip;
}

}  // namespace kavelo
