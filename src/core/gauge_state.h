#pragma once
#include <cstdint>

#include "core/charge_history.h"
#include "core/discharge_history.h"
#include "core/power.h"

namespace kavelo {

using Colour = uint32_t;  // 0x00BBGGRR

// The state shared by the refresh cycle, the faces, the tray pictures, the
// gauge window and the settings; one instance lives for the whole run.
struct GaugeState {
    // Refresh cycle
    PowerStatus Power{};  // snapshot of the latest refresh
    bool OnMains = false;
    int32_t LastPercent = -1;     // start of the interval being measured; -1 = stopped
    int32_t LastChangeTime = -1;  // day clock when LastPercent was set; -1 = none
    int64_t LastChangeAwake = -1;  // awake clock at the same moment
    int64_t LastChangeUtc = -1;    // and the system's UTC time
    bool HistoryRestart = true;   // the next change of percentage records no sample
    int32_t EstimatedSeconds = -1;
    bool BlinkPhase = false;
    // The screen is off (modern standby, or an idle machine): nothing is
    // learned until it is on again.
    bool DisplayOff = false;

    // Charging, measured as the discharge is: rises instead of drops.
    int32_t ChargeLastPercent = -1;
    int32_t ChargeLastChangeTime = -1;
    int64_t ChargeLastAwake = -1;
    int64_t ChargeLastUtc = -1;
    bool ChargeRestart = true;
    int32_t SecondsToFull = -1;     // -1 = not known (not charging, or not learned)
    bool ChargeBelowLevel = false;  // the last reading on mains was below ChargeAlertPercent

    // Alert
    bool AlertOn = false;
    bool AlertShown = false;

    // Faces and tray pictures
    uint8_t ShownPercent = 100;
    bool FaceAnimating = false;
    uint8_t TrayAnimFrame = 0;

    // Settings: their initial values are the stored settings' defaults,
    // applied by the constructor (core/stored_settings.h).
    bool PercentMode{};
    int32_t HistoryLength{};
    int32_t AlertPercent{};
    int32_t AlertMinutes{};
    bool AutoStart{};
    bool ChargeAlert{};
    int32_t ChargeAlertPercent{};
    Colour NormalColor{};
    Colour AlertColor{};
    Colour TrayColor{};
    Colour TrayPlugedColor{};
    Colour TrayShadowColor{};
    bool TrayAuto{};  // the tray picture matches the taskbar's theme

    TDischargeHistory History;
    TChargeHistory ChargeHistory;

    GaugeState();
};

}  // namespace kavelo
