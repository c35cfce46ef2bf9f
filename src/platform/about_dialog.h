#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace kavelo {

enum class SpinEditId { SpinEdit1, SpinEdit2, SpinEdit3 };
enum class CheckBoxId { CheckBox1, CheckBox2 };

// The controls of the about and options dialog as its logic sees them. The
// window layer calls the logic's handlers (TAboutBox) when the user acts on
// a control.
class AboutDialog {
public:
    virtual ~AboutDialog() = default;

    // TrackBar1's thumb; a position outside the bar's range shows at the
    // nearer end. Setting it raises no change event.
    virtual void SetTrackBarPosition(int32_t position) = 0;
    virtual int32_t TrackBarPosition() const = 0;

    virtual std::string SpinEditText(SpinEditId id) const = 0;
    // Replaces the field's text. When the new text differs from the one
    // shown, the field's change handler runs before this returns.
    virtual void SetSpinEditText(SpinEditId id, const std::string& text) = 0;
    // The field that has the keyboard focus, if one has.
    virtual std::optional<SpinEditId> FocusedSpinEdit() const = 0;

    // Setting the check raises no click event.
    virtual bool CheckBoxChecked(CheckBoxId id) const = 0;
    virtual void SetCheckBoxChecked(CheckBoxId id, bool checked) = 0;

    // The standard confirmation box: caption "Confirmation", a question
    // mark, the buttons "&Oui" (default) and "&Non" (also Escape). True when
    // the answer is "&Oui".
    virtual bool Confirm(const std::string& question) = 0;

    // Ends the dialog's modal run; the dialog is destroyed afterwards.
    virtual void Close() = 0;
};

}  // namespace kavelo
