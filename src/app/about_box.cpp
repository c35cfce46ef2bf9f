#include "app/about_box.h"

#include "app/settings_store.h"

namespace kavelo {

int32_t SpinEditRange::CheckValue(int64_t value) const {
    if (value < MinValue) return MinValue;
    if (value > MaxValue) return MaxValue;
    return static_cast<int32_t>(value);
}

int32_t SpinEditRange::ValueOf(std::string_view text) const {
    return ParseInt32(std::string(text)).value_or(MinValue);
}

bool SpinEditAcceptsKey(char32_t key, char32_t decimalSeparator) {
    if (key >= U'0' && key <= U'9') return true;
    if (key == U'+' || key == U'-' || key == decimalSeparator) return true;
    return key < 32 && key != U'\r';
}

void TAboutBox::FormCreate() {
    dialog_.SetTrackBarPosition(state_.HistoryLength);
    thumb_ = dialog_.TrackBarPosition();
    SetSpinEditValue(SpinEditId::SpinEdit1, state_.AlertPercent);
    SetSpinEditValue(SpinEditId::SpinEdit2, state_.AlertMinutes);
    SetSpinEditValue(SpinEditId::SpinEdit3, state_.ChargeAlertPercent);
    dialog_.SetCheckBoxChecked(CheckBoxId::CheckBox1, state_.AutoStart);
    dialog_.SetCheckBoxChecked(CheckBoxId::CheckBox2, state_.ChargeAlert);
}

void TAboutBox::TrackBar1Change() {
    // The bar reports a thumb clicked and let go where it was as well: that
    // is no move, and a HistoryLength beyond the bar must survive it.
    if (dialog_.TrackBarPosition() == thumb_) return;
    thumb_ = dialog_.TrackBarPosition();
    state_.HistoryLength = thumb_;
    host_.RefreshStatus();
}

void TAboutBox::SpinEdit1Change() { SpinEditChange(SpinEditId::SpinEdit1, FallbackThreshold); }

void TAboutBox::SpinEdit2Change() { SpinEditChange(SpinEditId::SpinEdit2, FallbackThreshold); }

void TAboutBox::SpinEdit3Change() { SpinEditChange(SpinEditId::SpinEdit3, FallbackChargeAlertPercent); }

void TAboutBox::SpinEditChange(SpinEditId id, int32_t fallback) {
    // A failure here leaves a usable value and says nothing: the user is
    // still typing.
    int32_t& value = ValueInUse(id);
    try {
        value = SpinEditValue(id);
        host_.RefreshStatus();
    } catch (...) {
        value = fallback;
    }
}

void TAboutBox::CheckBox1Click() {
    // The logon entry follows this when the program ends.
    state_.AutoStart = dialog_.CheckBoxChecked(CheckBoxId::CheckBox1);
}

void TAboutBox::CheckBox2Click() {
    state_.ChargeAlert = dialog_.CheckBoxChecked(CheckBoxId::CheckBox2);
    host_.RefreshStatus();
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
    SetSpinEditValue(id, int64_t{SpinEditValue(id)} + (direction > 0 ? 1 : -1));
}

int32_t& TAboutBox::ValueInUse(SpinEditId id) {
    switch (id) {
    case SpinEditId::SpinEdit1: return state_.AlertPercent;
    case SpinEditId::SpinEdit2: return state_.AlertMinutes;
    default: return state_.ChargeAlertPercent;
    }
}

int32_t TAboutBox::SpinEditValue(SpinEditId id) const {
    return RangeOf(id).ValueOf(dialog_.SpinEditText(id));
}

void TAboutBox::SetSpinEditValue(SpinEditId id, int64_t value) {
    dialog_.SetSpinEditText(id, RangeOf(id).TextOf(value));
}

}  // namespace kavelo
