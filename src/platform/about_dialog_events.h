#pragma once
#include <cstdint>

#include "platform/about_dialog.h"

namespace kavelo {

// What the about and options dialog's window reports to the application:
// one call per user action on a control. The window layer knows no more of
// the application than this.
class AboutDialogEvents {
public:
    virtual ~AboutDialogEvents() = default;

    // The controls exist and are laid out: fill them from the settings.
    virtual void FormCreate() = 0;
    // The track bar's thumb moved (or was let go where it was).
    virtual void TrackBar1Change() = 0;
    // The field's text changed, by typing, a step or the logic itself.
    virtual void SpinEditChange(SpinEditId id) = 0;
    // The up or down button, or the Up or Down key: +1 up, -1 down.
    virtual void SpinEditStep(SpinEditId id, int32_t direction) = 0;
    // The focus left the field for another control of the dialog.
    virtual void SpinEditExit(SpinEditId id) = 0;
    virtual void CheckBoxClick(CheckBoxId id) = 0;
    // "&Reset history" was pressed.
    virtual void Button1Click() = 0;
    // A character typed anywhere in the dialog, before the control that has
    // the focus sees it. True when the form took it.
    virtual bool FormKeyPress(char32_t key) = 0;
    // The dialog is ending, however it was closed.
    virtual void FormClose() = 0;
};

}  // namespace kavelo
