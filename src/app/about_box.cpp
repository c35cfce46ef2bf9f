#include "app/about_box.h"

#include "app/settings_store.h"

namespace kavelo {

namespace {

// By SpinEditId.
constexpr SpinEditSetting kSpinEdits[kSpinEditCount] = {
    {{1, 100}, &GaugeState::AlertPercent, 10, false},
    {{1, 999}, &GaugeState::AlertMinutes, 10, false},
    // A half-typed level must not raise a charge alert.
    {{kChargeAlertLowest, kChargeAlertHighest}, &GaugeState::ChargeAlertPercent, 80, true},
};
// By CheckBoxId. AutoStart: the logon entry follows it when the program ends.
constexpr CheckBoxSetting kCheckBoxes[kCheckBoxCount] = {
    {&GaugeState::AutoStart, false},
    {&GaugeState::ChargeAlert, true},
};

}  // namespace

const SpinEditSetting& TAboutBox::Row(SpinEditId id) { return kSpinEdits[static_cast<size_t>(id)]; }

int32_t SpinEditRange::CheckValue(int64_t value) const {
    if (value < MinValue) return MinValue;
    if (value > MaxValue) return MaxValue;
    return static_cast<int32_t>(value);
}

int32_t SpinEditRange::ValueOf(std::string_view text) const {
    return ParseInt32(std::string(text)).value_or(MinValue);
}

void TAboutBox::FormCreate() {
    dialog_.SetTrackBarPosition(state_.HistoryLength);
    thumb_ = dialog_.TrackBarPosition();
    for (size_t i = 0; i < kSpinEditCount; ++i) {
        const auto id = static_cast<SpinEditId>(i);
        SetSpinEditValue(id, ValueInUse(id));
    }
    for (size_t i = 0; i < kCheckBoxCount; ++i)
        dialog_.SetCheckBoxChecked(static_cast<CheckBoxId>(i), state_.*kCheckBoxes[i].value);
}

void TAboutBox::TrackBar1Change() {
    // The bar reports a thumb clicked and let go where it was as well: that
    // is no move, and a HistoryLength beyond the bar must survive it.
    if (dialog_.TrackBarPosition() == thumb_) return;
    thumb_ = dialog_.TrackBarPosition();
    state_.HistoryLength = thumb_;
    host_.RefreshStatus();
}

void TAboutBox::SpinEditChange(SpinEditId id) {
    const SpinEditSetting& row = Row(id);
    int32_t& value = ValueInUse(id);
    // A failure here leaves a usable value and says nothing: the user is
    // still typing.
    try {
        if (row.onlyInRange) {
            const auto typed = ParseInt32(dialog_.SpinEditText(id));
            if (!typed || row.range.CheckValue(*typed) != *typed) return;
            value = *typed;
        } else {
            value = row.range.ValueOf(dialog_.SpinEditText(id));
        }
        host_.RefreshStatus();
    } catch (...) {
        value = row.fallback;
    }
}

void TAboutBox::CheckBoxClick(CheckBoxId id) {
    const CheckBoxSetting& row = kCheckBoxes[static_cast<size_t>(id)];
    state_.*row.value = dialog_.CheckBoxChecked(id);
    if (row.refreshes) host_.RefreshStatus();
}

void TAboutBox::Button1Click() {
    if (!dialog_.Confirm(ResetQuestion)) return;
    host_.ResetHistory();
    dialog_.Close();
}

bool TAboutBox::FormKeyPress(char32_t key) {
    if (key != 27) return false;
    dialog_.Close();
    return true;
}

void TAboutBox::FormClose() {
    if (const auto focused = dialog_.FocusedSpinEdit()) SpinEditExit(*focused);
}

void TAboutBox::SpinEditExit(SpinEditId id) {
    // Also a text that reads as another number than it says (beyond 32 bits,
    // not a number at all) gives way to the value it stands for.
    SetSpinEditValue(id, ValueInUse(id));
}

void TAboutBox::SpinEditStep(SpinEditId id, int32_t direction) {
    const int32_t shown = Row(id).range.ValueOf(dialog_.SpinEditText(id));
    SetSpinEditValue(id, int64_t{shown} + (direction > 0 ? 1 : -1));
}

void TAboutBox::SetSpinEditValue(SpinEditId id, int64_t value) {
    dialog_.SetSpinEditText(id, Row(id).range.TextOf(value));
}

}  // namespace kavelo
