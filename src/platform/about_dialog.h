#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kavelo {

// The controls' identities, in the order of the tables that map them to
// windows and settings; a new one is counted here and gets a row there.
enum class SpinEditId { SpinEdit1, SpinEdit2, SpinEdit3 };
enum class CheckBoxId { CheckBox1, CheckBox2 };
inline constexpr size_t kSpinEditCount = 3;
inline constexpr size_t kCheckBoxCount = 2;
// TrackBar1's range.
inline constexpr int32_t kTrackBarMin = 1;
inline constexpr int32_t kTrackBarMax = 30;

// The characters a spin edit takes: digits, the signs, the decimal separator
// and control characters other than Enter. Anything else is refused with a
// beep.
constexpr bool SpinEditAcceptsKey(char32_t key, char32_t decimalSeparator) {
    if (key >= U'0' && key <= U'9') return true;
    if (key == U'+' || key == U'-' || key == decimalSeparator) return true;
    return key < 32 && key != U'\r';
}

// The controls of the about and options dialog as its logic sees them.
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
