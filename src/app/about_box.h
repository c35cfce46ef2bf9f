#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/gauge_state.h"
#include "core/refresh_cycle.h"
#include "platform/about_dialog.h"
#include "platform/about_dialog_events.h"

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

// The setting behind each spin edit and how the field's text reaches it.
struct SpinEditSetting {
    SpinEditRange range;
    int32_t GaugeState::*value;
    // Taken when reading the field or the refresh that follows fails.
    int32_t fallback;
    // True: a text that is no whole number within the range leaves the
    // value in use as it is. False: it is taken as typed (empty counts as
    // the minimum), and brought into the range when the field is left.
    bool onlyInRange;
};

// The setting behind each check box, and whether the gauge shows it.
struct CheckBoxSetting {
    bool GaugeState::*value;
    bool refreshes;
};

// The about and options dialog's logic. It keeps no setting of its own: its
// controls mirror HistoryLength and the settings of the two tables in
// about_box.cpp (one row per spin edit and per check box),
// and every change takes effect at once, with no way to undo it.
class TAboutBox final : public AboutDialogEvents {
public:
    static constexpr char ResetQuestion[] = "Reset battery consumption datas ?";

    TAboutBox(AboutDialog& dialog, GaugeState& state, AboutBoxHost& host)
        : dialog_(dialog), state_(state), host_(host) {}

    // Fills the controls, in the order track bar, spin edits, check boxes.
    // The spin edits bring out-of-range values into their ranges.
    void FormCreate() override;
    void TrackBar1Change() override;
    void SpinEditChange(SpinEditId id) override;
    // One step from the field's value, within range.
    void SpinEditStep(SpinEditId id, int32_t direction) override;
    // The field shows the value in use, a value outside the range becoming
    // the nearer bound.
    void SpinEditExit(SpinEditId id) override;
    void CheckBoxClick(CheckBoxId id) override;
    // "&Reset history": asks, and on "&Oui" resets and closes.
    void Button1Click() override;
    // Escape closes the dialog; any other key goes on to the control.
    bool FormKeyPress(char32_t key) override;
    // The field being edited is left as if the focus had moved on, so no
    // out-of-range threshold outlives the dialog.
    void FormClose() override;

private:
    static const SpinEditSetting& Row(SpinEditId id);
    int32_t& ValueInUse(SpinEditId id) { return state_.*Row(id).value; }
    void SetSpinEditValue(SpinEditId id, int64_t value);

    AboutDialog& dialog_;
    GaugeState& state_;
    AboutBoxHost& host_;
    int32_t thumb_ = 0;  // where the track bar's thumb was last seen
};

}  // namespace kavelo
