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
#include "platform/about_dialog_events.h"

namespace kavelo::fakes {

class FakeAboutDialog final : public AboutDialog {
public:
    AboutDialogEvents* box = nullptr;  // receives the change events
    int32_t trackBar = 1;
    std::array<std::string, kSpinEditCount> texts{"10", "10", "80"};  // the layout's initial text
    std::optional<SpinEditId> focused;
    std::array<bool, kCheckBoxCount> checked{true, false};
    bool answerYes = false;
    std::vector<std::string> questions;
    int closes = 0;

    void SetTrackBarPosition(int32_t p) override { trackBar = std::clamp(p, kTrackBarMin, kTrackBarMax); }
    int32_t TrackBarPosition() const override { return trackBar; }
    std::string SpinEditText(SpinEditId id) const override { return texts[Index(id)]; }
    void SetSpinEditText(SpinEditId id, const std::string& text) override {
        if (texts[Index(id)] == text) return;
        texts[Index(id)] = text;
        if (box) box->SpinEditChange(id);
    }
    std::optional<SpinEditId> FocusedSpinEdit() const override { return focused; }
    bool CheckBoxChecked(CheckBoxId id) const override { return checked[Index(id)]; }
    void SetCheckBoxChecked(CheckBoxId id, bool c) override { checked[Index(id)] = c; }
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
    void Click(CheckBoxId id, bool tick) {
        checked[Index(id)] = tick;
        box->CheckBoxClick(id);
    }
    // The focus moves on to another control of the dialog.
    void Leave(SpinEditId id) {
        if (focused == id) focused.reset();
        box->SpinEditExit(id);
    }

private:
    template <class Id> static size_t Index(Id id) { return static_cast<size_t>(id); }
};

// The gauge window's side: counts refreshes and resets, and can fail.
class FakeAboutBoxHost final : public AboutBoxHost {
public:
    RefreshCycle* cycle = nullptr;  // when set, each refresh runs it
    GaugeState* state = nullptr;    // when set, each refresh records the thresholds it saw
    int refreshes = 0;
    int resets = 0;
    bool failRefresh = false;
    std::vector<int32_t> percentsSeen;

    void RefreshStatus() override {
        ++refreshes;
        if (state) percentsSeen.push_back(state->AlertPercent);
        if (cycle) cycle->RefreshStatus();
        if (failRefresh) throw std::runtime_error("refresh failed");
    }
    void ResetHistory() override {
        ++resets;
        if (state) state->History.Init();
    }
};

}  // namespace kavelo::fakes
