// Resource and control identifiers of the about and options dialog, shared
// by resources/about.rc and the dialog's code. Plain #defines only: the
// resource compiler reads this file too.
#pragma once

#define IDD_ABOUTBOX 200

#define IDC_TRACKBAR1 201
#define IDC_SPINEDIT1 202
#define IDC_SPINEDIT1_BUTTONS 203
#define IDC_SPINEDIT2 204
#define IDC_SPINEDIT2_BUTTONS 205
#define IDC_BUTTON1 206
#define IDC_CHECKBOX1 207
#define IDC_PRODUCTNAME 208
#define IDC_VERSION 209
#define IDC_IMAGE1 210
#define IDC_IMAGE2 211
#define IDC_PANEL1 212
#define IDC_HISTORYLABEL 213
#define IDC_LABEL2 214
#define IDC_LABEL3 215
#define IDC_PERCENTLABEL 216
#define IDC_MINUTESLABEL 217
#define IDC_CHECKBOX2 218
#define IDC_SPINEDIT3 219
#define IDC_SPINEDIT3_BUTTONS 220
#define IDC_CHARGELABEL 221
