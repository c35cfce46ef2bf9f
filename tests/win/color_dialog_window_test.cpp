#include <gtest/gtest.h>
#include <windows.h>

#include <colordlg.h>

#include "platform/win32/application_win32.h"
#include "platform/win32/color_dialog_win32.h"
#include "platform/win32/gauge_window_win32.h"
#include "win/window_test_support.h"

namespace kavelo::win32 {
namespace {

using test::ModalAction;

class ColorDialogTest : public ::testing::Test {
protected:
    // Runs the dialog preset to `colour`; while it is open, notes what it
    // shows, types `typed` (if any) into its red, green and blue fields and
    // presses `button`.
    bool Run(uint32_t& colour, WPARAM button, const int* typed = nullptr) {
        ModalAction act(400, [this, button, typed] {
            const auto dialogs = test::ThreadWindows(L"#32770");
            if (dialogs.empty()) return;
            const HWND dlg = dialogs[0];
            owner = GetWindow(dlg, GW_OWNER);
            for (int i = 0; i < 3; ++i) shownRgb[i] = static_cast<int>(GetDlgItemInt(dlg, COLOR_RED + i, nullptr, FALSE));
            customOffered = IsWindowEnabled(GetDlgItem(dlg, COLOR_MIX)) != 0;
            if (typed) {
                for (int i = 0; i < 3; ++i) SetDlgItemInt(dlg, COLOR_RED + i, static_cast<UINT>(typed[i]), FALSE);
            }
            PostMessageW(dlg, WM_COMMAND, button, 0);
        });
        return dialog.Execute(colour);
    }

    Win32Application app;
    Win32GaugeWindow window{app};
    Win32ColorDialog dialog{window.Handle()};
    HWND owner = nullptr;
    int shownRgb[3] = {-1, -1, -1};
    bool customOffered = false;
};

TEST_F(ColorDialogTest, ConfirmingReturnsThePresetColourOwnedByTheGaugeWindow) {
    uint32_t colour = 0x00FF8040;  // blue FF, green 80, red 40
    EXPECT_TRUE(Run(colour, IDOK));
    EXPECT_EQ(colour, 0x00FF8040u);
    EXPECT_EQ(owner, window.Handle());
    EXPECT_EQ(shownRgb[0], 0x40);
    EXPECT_EQ(shownRgb[1], 0x80);
    EXPECT_EQ(shownRgb[2], 0xFF);
    EXPECT_TRUE(customOffered);  // opened without the custom colour part
}

TEST_F(ColorDialogTest, ChosenColourComesBackAsBBGGRR) {
    uint32_t colour = 0x0000FF;
    const int rgb[3] = {0x12, 0x34, 0x56};
    EXPECT_TRUE(Run(colour, IDOK, rgb));
    EXPECT_EQ(colour, 0x00563412u);
}

TEST_F(ColorDialogTest, CancellingLeavesTheColourAlone) {
    uint32_t colour = 0x00FF00;
    const int rgb[3] = {1, 2, 3};
    EXPECT_FALSE(Run(colour, IDCANCEL, rgb));
    EXPECT_EQ(colour, 0x00FF00u);
}

}  // namespace
}  // namespace kavelo::win32
