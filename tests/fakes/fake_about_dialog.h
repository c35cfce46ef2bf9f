#pragma once
// The options dialog's controls without a window: the fields and the track
// bar behave as the real ones do for the logic (clamped thumb, change events
// only for a changed text), and the test plays the user.
#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "platform/about_dialog.h"

namespace kavelo::fakes {

class FakeAboutDialog final : public AboutDialog {
public:
    TAboutBox* box = nullptr;  // receives the change events
    int32_t trackBar = 1;
    std::array<std::string, 3> texts{"10", "10", "80"};  // the layout's initial text
    std::optional<SpinEditId> focused;
    bool checked = true, chargeChecked = false;  // CheckBox1, CheckBox2
    bool answerYes = false;
    std::vector<std::string> questions;
    int closes = 0;

    void SetTrackBarPosition(int32_t p) override {
        trackBar = std::clamp(p, TAboutBox::TrackBarMin, TAboutBox::TrackBarMax);
    }
    int32_t TrackBarPosition() const override { return trackBar; }
    std::string SpinEditText(SpinEditId id) const override { return texts[Index(id)]; }
    void SetSpinEditText(SpinEditId id, const std::string& text) override {
        if (texts[Index(id)] == text) return;
        texts[Index(id)] = text;
        Changed(id);
    }
    std::optional<SpinEditId> FocusedSpinEdit() const override { return focused; }
    bool CheckBoxChecked(CheckBoxId id) const override { return id == CheckBoxId::CheckBox1 ? checked : chargeChecked; }
    void SetCheckBoxChecked(CheckBoxId id, bool c) override { (id == CheckBoxId::CheckBox1 ? checked : chargeChecked) = c; }
    bool Confirm(const std::string& question) override {
        questions.push_back(question);
        return answerYes;
    }
    void Close() override { ++closes; }

    // The user's side.
    void Type(SpinEditId id, const std::string& text) {
        focused = id;
        SetSpinEditText(id, text);
    }
    void MoveThumb(int32_t position) {
        SetTrackBarPosition(position);
        box->TrackBar1Change();
    }
    void Click(bool tick) {
        checked = tick;
        box->CheckBox1Click();
    }
    void ClickCharge(bool tick) { chargeChecked = tick, box->CheckBox2Click(); }
    // The focus moves on to another control of the dialog.
    void Leave(SpinEditId id) {
        if (focused == id) focused.reset();
        box->SpinEditExit(id);
    }

private:
    static size_t Index(SpinEditId id) { return static_cast<size_t>(id); }
    void Changed(SpinEditId id) {
        if (!box) return;
        constexpr void (TAboutBox::*handlers[])() = {&TAboutBox::SpinEdit1Change, &TAboutBox::SpinEdit2Change,
                                                       &TAboutBox::SpinEdit3Change};
        (box->*handlers[Index(id)])();
    }
};

// The gauge window's side: counts refreshes and resets, and can fail.
class FakeAboutBoxHost final : public AboutBoxHost {
public:
    GaugeState* state = nullptr;  // when set, each refresh records the thresholds it saw
    int refreshes = 0;
    int resets = 0;
    bool failRefresh = false;
    std::vector<int32_t> percentsSeen;

    void RefreshStatus() override {
        ++refreshes;
        if (state) percentsSeen.push_back(state->AlertPercent);
        if (failRefresh) throw std::runtime_error("refresh failed");
    }
    void ResetHistory() override {
        ++resets;
        if (state) state->History.Init();
    }
};

}  // namespace kavelo::fakes
