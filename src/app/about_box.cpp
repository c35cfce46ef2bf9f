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
    dialog_.SetCheckBoxChecked(state_.AutoStart);
}

void TAboutBox::TrackBar1Change() {
    // The bar reports a thumb clicked and let go where it was as well: that
    // is no move, and a HistoryLength beyond the bar must survive it.
    if (dialog_.TrackBarPosition() == thumb_) return;
    thumb_ = dialog_.TrackBarPosition();
    state_.HistoryLength = thumb_;
    host_.RefreshStatus();
}

void TAboutBox::SpinEdit1Change() { SpinEditChange(SpinEditId::SpinEdit1, state_.AlertPercent); }

void TAboutBox::SpinEdit2Change() { SpinEditChange(SpinEditId::SpinEdit2, state_.AlertMinutes); }

void TAboutBox::SpinEditChange(SpinEditId id, int32_t& threshold) {
    // A failure here leaves a usable threshold and says nothing: the user
    // is still typing.
    try {
        threshold = SpinEditValue(id);
        host_.RefreshStatus();
    } catch (...) {
        threshold = FallbackThreshold;
    }
}

void TAboutBox::CheckBox1Click() {
    // The logon entry follows this when the program ends.
    state_.AutoStart = dialog_.CheckBoxChecked();
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
    const SpinEditRange& range = RangeOf(id);
    const int32_t value = range.ValueOf(dialog_.SpinEditText(id));
    if (range.CheckValue(value) != value) SetSpinEditValue(id, value);
}

void TAboutBox::SpinEditStep(SpinEditId id, int32_t direction) {
    SetSpinEditValue(id, int64_t{SpinEditValue(id)} + (direction > 0 ? 1 : -1));
}

int32_t TAboutBox::SpinEditValue(SpinEditId id) const {
    return RangeOf(id).ValueOf(dialog_.SpinEditText(id));
}

void TAboutBox::SetSpinEditValue(SpinEditId id, int64_t value) {
    dialog_.SetSpinEditText(id, RangeOf(id).TextOf(value));
}

}  // namespace kavelo
