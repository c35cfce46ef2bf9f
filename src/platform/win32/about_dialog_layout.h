#pragma once
// Where the about and options dialog's controls go, in pixels of its client
// area at 96 DPI (scaled to the dialog's DPI when placed), and which window
// is which control of the logic. The resource script only makes the
// controls, in tab order; this file alone places them.
#include "platform/about_dialog.h"
#include "platform/win32/about_dialog_ids.h"

namespace kavelo::win32::about_layout {

inline constexpr int kClientWidth = 298;  // wider where a sentence needs it
inline constexpr int kClientHeight = 312;

// A width of 0 means a label as large as its text.
struct Placement {
    int id, x, y, width, height;
};
inline constexpr Placement kPlacements[] = {
    {IDC_PANEL1, 8, 8, 281, 105},      {IDC_PRODUCTNAME, 105, 24, 0, 0},  {IDC_VERSION, 107, 40, 0, 0},
    {IDC_IMAGE1, 24, 16, 25, 33},      {IDC_IMAGE2, 248, 16, 25, 33},     {IDC_HISTORYLABEL, 104, 120, 0, 0},
    {IDC_LABEL2, 16, 120, 0, 0},       {IDC_LABEL3, 256, 120, 0, 0},      {IDC_TRACKBAR1, 8, 136, 281, 30},
    {IDOK, 16, 279, 75, 24},           {IDC_BUTTON1, 112, 279, 75, 24},
};

// Each spin edit, by SpinEditId: its field and buttons, and the sentence
// with a run of spaces that the field covers, then the sentence's end.
struct SpinEditRow {
    SpinEditId field;
    int editId, buttonsId, labelId;
    int labelX, labelY, fieldX, fieldY;
};
inline constexpr SpinEditRow kSpinEdits[] = {
    {SpinEditId::SpinEdit1, IDC_SPINEDIT1, IDC_SPINEDIT1_BUTTONS, IDC_PERCENTLABEL, 16, 176, 213, 172},
    {SpinEditId::SpinEdit2, IDC_SPINEDIT2, IDC_SPINEDIT2_BUTTONS, IDC_MINUTESLABEL, 16, 200, 213, 196},
    {SpinEditId::SpinEdit3, IDC_SPINEDIT3, IDC_SPINEDIT3_BUTTONS, IDC_CHARGELABEL, 33, 224, 213, 220},
};
inline constexpr int kSpinEditWidth = 44;
inline constexpr int kSpinEditHeight = 22;
inline constexpr int kSpinButtonsWidth = 15;
inline constexpr int kFieldMargin = 4;  // between a sentence's words and a field that had to make way
inline constexpr int kEndMargin = 10;   // at least between a field and the sentence's end
inline constexpr int kRightMargin = 8;  // between the widest line and the dialog's right edge

// Each check box, by CheckBoxId.
struct CheckBoxRow {
    CheckBoxId box;
    Placement at;
};
inline constexpr CheckBoxRow kCheckBoxes[] = {
    {CheckBoxId::CheckBox1, {IDC_CHECKBOX1, 14, 245, 212, 17}},
    {CheckBoxId::CheckBox2, {IDC_CHECKBOX2, 16, 222, 14, 17}},
};

inline constexpr int kIconSize = 32;
inline constexpr int kThumbLength = 20;

// A control of the logic without its row, or a row out of place, would
// drive another control: neither builds.
template <class Row, size_t N, class Id>
constexpr bool InIdOrder(const Row (&rows)[N], Id Row::*id, size_t count) {
    for (size_t i = 0; i < N; ++i)
        if (static_cast<size_t>(rows[i].*id) != i) return false;
    return N == count;
}
static_assert(InIdOrder(kSpinEdits, &SpinEditRow::field, kSpinEditCount));
static_assert(InIdOrder(kCheckBoxes, &CheckBoxRow::box, kCheckBoxCount));

}  // namespace kavelo::win32::about_layout
