#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/gauge_state.h"
#include "platform/about_dialog.h"

namespace kavelo {

// What the options dialog asks of the gauge window.
class AboutBoxHost {
public:
    virtual ~AboutBoxHost() = default;
    // One refresh of the gauge, so that a changed setting shows at once.
    virtual void RefreshStatus() = 0;
    // Empties the history and restarts measuring (RefreshCycle::ResetHistory).
    virtual void ResetHistory() = 0;
};

// How a spin edit turns its text into a value and back.
struct SpinEditRange {
    int32_t MinValue;
    int32_t MaxValue;

    // The value brought into the range.
    int32_t CheckValue(int64_t value) const;
    // The text read as a 32-bit decimal integer with an optional sign; a
    // text that is no such integer (empty, a lone sign, a decimal separator,
    // digits beyond the 32-bit range) reads as MinValue.
    int32_t ValueOf(std::string_view text) const;
    // The text shown for a value: clamped, in decimal.
    std::string TextOf(int64_t value) const { return std::to_string(CheckValue(value)); }
};

// The characters a spin edit takes: digits, the signs, the decimal separator
// and control characters other than Enter. Anything else is refused with a
// beep.
bool SpinEditAcceptsKey(char32_t key, char32_t decimalSeparator);

// The about and options dialog's logic. It keeps no setting of its own: its
// controls mirror HistoryLength, AlertPercent, AlertMinutes, AutoStart,
// ChargeAlert and ChargeAlertPercent, and every change takes effect at once,
// with no way to undo it.
class TAboutBox {
public:
    static constexpr int32_t TrackBarMin = 1;
    static constexpr int32_t TrackBarMax = 30;
    static constexpr SpinEditRange SpinEdit1Range{1, 100};
    static constexpr SpinEditRange SpinEdit2Range{1, 999};
    static constexpr SpinEditRange SpinEdit3Range{50, 100};
    // The value taken when a spin edit's value or the refresh fails.
    static constexpr int32_t FallbackThreshold = 10;
    static constexpr int32_t FallbackChargeAlertPercent = 80;
    static constexpr char ResetQuestion[] = "Reset battery consumption datas ?";

    TAboutBox(AboutDialog& dialog, GaugeState& state, AboutBoxHost& host)
        : dialog_(dialog), state_(state), host_(host) {}

    // Fills the controls, in the order track bar, spin edits, check boxes.
    // The spin edits bring out-of-range values into their ranges.
    void FormCreate();
    void TrackBar1Change();
    void SpinEdit1Change();
    void SpinEdit2Change();
    void SpinEdit3Change();
    void CheckBox1Click();
    void CheckBox2Click();
    // "&Reset history": asks, and on "&Oui" resets and closes.
    void Button1Click();
    // Every character typed in the dialog comes here first. True when the
    // form took it (Escape closes the dialog); false lets it go on to the
    // control that has the focus.
    bool FormKeyPress(char32_t key);
    // The dialog is ending, however it was closed. The field being edited
    // is left as if the focus had moved on, so no out-of-range threshold
    // outlives the dialog.
    void FormClose();

    // The spin edits' own behaviour, wired by the window layer.
    // The focus left the field for another control of the dialog: it shows
    // the value in use, a value outside the range becoming the nearer bound.
    void SpinEditExit(SpinEditId id);
    // The up or down button, or the Up or Down key: one step, within range.
    void SpinEditStep(SpinEditId id, int32_t direction);

    static const SpinEditRange& RangeOf(SpinEditId id) {
        return id == SpinEditId::SpinEdit1 ? SpinEdit1Range
               : id == SpinEditId::SpinEdit2 ? SpinEdit2Range
                                             : SpinEdit3Range;
    }

private:
    // The setting the field mirrors.
    int32_t& ValueInUse(SpinEditId id);
    int32_t SpinEditValue(SpinEditId id) const;
    void SetSpinEditValue(SpinEditId id, int64_t value);
    void SpinEditChange(SpinEditId id, int32_t fallback);

    AboutDialog& dialog_;
    GaugeState& state_;
    AboutBoxHost& host_;
    int32_t thumb_ = 0;  // where the track bar's thumb was last seen
};

}  // namespace kavelo
