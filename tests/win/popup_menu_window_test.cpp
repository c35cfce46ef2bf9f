#include <gtest/gtest.h>

#include "platform/win32/application_win32.h"
#include "platform/win32/gauge_window_win32.h"
#include "platform/win32/popup_menu_win32.h"
#include "win/window_test_support.h"

namespace kavelo::win32 {
namespace {

using test::ModalAction;

// A menu as the user sees it: "caption [x]" for checked items, "-" for
// separators, submenus indented.
void Describe(HMENU menu, const std::wstring& indent, std::vector<std::wstring>& out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            out.push_back(indent + L"-");
            continue;
        }
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        std::wstring line = indent + text;
        if (state & MF_CHECKED) line += L" [x]";
        if (HMENU sub = GetSubMenu(menu, i)) {
            out.push_back(line + L" >");
            Describe(sub, indent + L"  ", out);
        } else {
            out.push_back(line + L" #" + std::to_wstring(GetMenuItemID(menu, i)));
        }
    }
}

std::vector<MenuItem> GaugeMenu() {
    MenuItem colours{0, "&Color", false, {{106, "&Normal...", false, {}}, {107, "&Alert...", false, {}}}};
    return {{101, "&Only on system tray", false, {}},
            {102, "&Always visible", true, {}},
            colours,
            {103, "&Time estimation", true, {}},
            {0, "-", false, {}},
            {104, "A&bout Kavelo", false, {}},
            {0, "-", false, {}},
            {105, "&Close", false, {}}};
}

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetLeft(100);
        window.SetTop(100);
        window.Show();
    }
    // Runs the menu at (x, y); while it is open, notes what it shows and
    // where, then posts `keys` to it.
    int Track(std::vector<WPARAM> keys, int x = 150, int y = 140) {
        ModalAction act(300, [this, keys] {
            const HWND menuWindow = FindWindowW(L"#32768", nullptr);
            if (!menuWindow || !IsWindowVisible(menuWindow)) return;
            GetWindowRect(menuWindow, &shown);
            Describe(reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0)), L"", lines);
            for (WPARAM key : keys) {
                const UINT message = key < 0x100 ? WM_KEYDOWN : WM_CHAR;
                PostMessageW(menuWindow, message, key & 0xFF, 0);
            }
        });
        return menu.TrackPopup(GaugeMenu(), x, y);
    }

    Win32Application app;
    Win32GaugeWindow window{app};
    Win32PopupMenu menu{window.Handle()};
    std::vector<std::wstring> lines;
    RECT shown{};
};

TEST_F(PopupMenuTest, ShowsTheItemsWithTheirMnemonicsChecksSeparatorsAndSubmenu) {
    EXPECT_EQ(Track({VK_ESCAPE}), 0);
    const std::vector<std::wstring> expected{
        L"&Only on system tray #101", L"&Always visible [x] #102", L"&Color >", L"  &Normal... #106",
        L"  &Alert... #107",          L"&Time estimation [x] #103", L"-",      L"A&bout Kavelo #104",
        L"-",                         L"&Close #105"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(shown.left, 150);  // top-left corner at the point given
    EXPECT_EQ(shown.top, 140);
}

TEST_F(PopupMenuTest, ReturnsTheCommandChosen) {
    EXPECT_EQ(Track({VK_DOWN, VK_DOWN, VK_RETURN}), 102);
    EXPECT_EQ(Track({0x100 | 't'}), 103);  // by its mnemonic
    EXPECT_EQ(Track({VK_UP, VK_RETURN}), 105);
}

}  // namespace
}  // namespace kavelo::win32
