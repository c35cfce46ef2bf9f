// The options dialog made from its resource, driven by messages. Where a
// modal loop holds the test's thread (the confirmation box, a whole modal
// run), a second thread finds the window and acts on it as a user would.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/about_box.h"
#include "platform/win32/about_dialog_ids.h"
#include "platform/win32/about_dialog_layout.h"
#include "platform/win32/about_dialog_win32.h"
#include "platform/win32/dpi_win32.h"

namespace kavelo::win32 {
namespace {

using namespace about_layout;

class CountingHost final : public AboutBoxHost {
public:
    int refreshes = 0;
    int resets = 0;
    bool failRefresh = false;
    void RefreshStatus() override {
        ++refreshes;
        if (failRefresh) throw std::runtime_error("refresh failed");
    }
    void ResetHistory() override { ++resets; }
};

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetWindowTextW(hwnd, buffer, 256);
    return buffer;
}

// A control's rectangle in its dialog's client coordinates.
RECT RectOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectRect(HWND control, int x, int y, int width, int height) {
    const RECT r = RectOf(control);
    EXPECT_EQ(r.left, x) << GetDlgCtrlID(control);
    EXPECT_EQ(r.top, y) << GetDlgCtrlID(control);
    EXPECT_EQ(r.right - r.left, width) << GetDlgCtrlID(control);
    EXPECT_EQ(r.bottom - r.top, height) << GetDlgCtrlID(control);
}

// Polls for a top-level window of this process, from any thread.
HWND WaitForWindow(const wchar_t* title, DWORD timeoutMs = 5000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < end) {
        if (HWND hwnd = FindWindowW(L"#32770", title)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd)) return hwnd;
        }
        Sleep(20);
    }
    return nullptr;
}

class AboutDialogTest : public ::testing::Test {
protected:
    static bool At96Dpi() {
        const HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return dpi == 96;
    }
    std::unique_ptr<AboutDialogWin32> Open() {
        auto dialog = std::make_unique<AboutDialogWin32>(nullptr);
        box_ = std::make_unique<TAboutBox>(*dialog, state, host);  // the logic over it, as the program pairs them
        dialog->Connect(*box_);
        dialog->Show();
        return dialog;
    }
    // Runs the pending messages through the dialog's own loop step.
    static void Pump(AboutDialogWin32& dialog) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) dialog.ProcessMessage(msg);
    }
    static void Type(AboutDialogWin32& dialog, HWND control, const std::wstring& keys) {
        for (wchar_t c : keys) PostMessageW(control, WM_CHAR, c, 1);
        Pump(dialog);
    }

    GaugeState state;
    CountingHost host;
    std::unique_ptr<TAboutBox> box_;
};

// At 96 DPI each control stands where the layout file puts it, inside the
// centred client area; the controls the user works overlap nowhere, and
// each field's buttons lie inside it with its sentence going on past it.
TEST_F(AboutDialogTest, LayoutIsFollowedAndCentred) {
    if (!At96Dpi()) GTEST_SKIP() << "the layout is checked at 96 dpi";
    auto dialog = Open();
    const HWND d = dialog->Handle();
    EXPECT_EQ(TextOf(d), L"About KAVELO");
    RECT client{}, frame{};
    GetClientRect(d, &client);
    GetWindowRect(d, &frame);
    EXPECT_TRUE(client.right >= kClientWidth && client.bottom == kClientHeight);  // wider where a sentence needs it
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(d, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_TRUE(std::wstring(font.lfFaceName) == L"MS Sans Serif" && font.lfHeight == -11);

    std::vector<Placement> placed(std::begin(kPlacements), std::end(kPlacements));
    std::vector<int> worked{IDC_TRACKBAR1, IDOK, IDC_BUTTON1};
    for (const CheckBoxRow& row : kCheckBoxes) placed.push_back(row.at), worked.push_back(row.at.id);
    for (const SpinEditRow& row : kSpinEdits) {
        placed.push_back({row.labelId, row.labelX, row.labelY, 0, 0});
        worked.push_back(row.editId);
        const RECT field = RectOf(GetDlgItem(d, row.editId)), buttons = RectOf(GetDlgItem(d, row.buttonsId));
        EXPECT_TRUE(field.left >= row.fieldX && field.top == row.fieldY && field.right - field.left == kSpinEditWidth &&
                    field.bottom - field.top == kSpinEditHeight) << row.editId;  // it may make way for the words
        EXPECT_TRUE(buttons.left > field.left && buttons.right < field.right) << row.editId;
        EXPECT_GT(RectOf(GetDlgItem(d, row.labelId)).right, field.right) << row.editId;
    }
    for (const auto& [id, x, y, w, h] : placed) {
        const RECT r = RectOf(GetDlgItem(d, id));
        EXPECT_TRUE(r.left == x && r.top == y && (!w || (r.right - r.left == w && r.bottom - r.top == h))) << id;
        EXPECT_TRUE(r.right > r.left && r.right <= client.right && r.bottom <= client.bottom) << id;
    }
    RECT a{}, b{}, overlap{};
    for (const int i : worked)
        for (const int j : worked)
            if (i < j && GetWindowRect(GetDlgItem(d, i), &a) && GetWindowRect(GetDlgItem(d, j), &b))
                EXPECT_FALSE(IntersectRect(&overlap, &a, &b)) << i << " and " << j;
}

// At the system's DPI and another one: the 96-DPI layout and font scaled.
TEST_F(AboutDialogTest, DpiScalesTheLayoutAndTheFont) {
    auto dialog = Open();
    const HWND d = dialog->Handle();
    const int dpi = static_cast<int>(WindowDpi(d)), other = dpi == 96 ? 144 : 96;
    for (const int at : {dpi, other, dpi}) {
        RECT suggested{50, 40, 60, 50};
        SendMessageW(d, WM_DPICHANGED, MAKEWPARAM(at, at), reinterpret_cast<LPARAM>(&suggested));
        const auto fits = [at](int at96, LONG actual) { return std::abs(MulDiv(at96, at, 96) - actual) <= 1; };
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(d, IDOK), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_TRUE(fits(-11, font.lfHeight)) << at;
        for (const auto& [id, x, y, w, h] : kPlacements) {
            const RECT r = RectOf(GetDlgItem(d, id));
            const bool sized = !w || (fits(w, r.right - r.left) && fits(h, r.bottom - r.top));
            EXPECT_TRUE(fits(x, r.left) && fits(y, r.top) && sized) << at << " dpi, control " << id;
        }
        RECT client{};  // and back: each sentence inside the client area
        GetClientRect(d, &client);
        for (const int label : {IDC_PERCENTLABEL, IDC_MINUTESLABEL, IDC_CHARGELABEL})
            EXPECT_LE(RectOf(GetDlgItem(d, label)).right, client.right) << at << " dpi, label " << label;
    }
}

TEST_F(AboutDialogTest, ControlsCarryTheirTextsAndSettings) {
    auto dialog = Open();
    const HWND d = dialog->Handle();
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_PRODUCTNAME)), L"Kavelo");
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_VERSION)), L"Release 1.1.0");
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_HISTORYLABEL)), L"Estimation history");
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_LABEL2)), L"Short");
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_LABEL3)), L"Long");
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_PERCENTLABEL)),
              L"Display an alert when battery is under" + std::wstring(23, L' ') + L"%");
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_MINUTESLABEL)),
              L"Display an alert when autonomy is under" + std::wstring(18, L' ') + L"minutes");
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_CHARGELABEL)), L"Display an alert when charging reaches" + std::wstring(20, L' ') + L"%");
    EXPECT_EQ(TextOf(GetDlgItem(d, IDOK)), L"OK");
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_BUTTON1)), L"&Reset history");
    EXPECT_EQ(LOWORD(SendMessageW(d, DM_GETDEFID, 0, 0)), IDOK);

    const HWND check = GetDlgItem(d, IDC_CHECKBOX1);
    EXPECT_EQ(TextOf(check), L"Run Kavelo when Windows starts");
    EXPECT_TRUE(GetWindowLongW(check, GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);

    const HWND track = GetDlgItem(d, IDC_TRACKBAR1);
    EXPECT_EQ(SendMessageW(track, TBM_GETRANGEMIN, 0, 0), 1);
    EXPECT_EQ(SendMessageW(track, TBM_GETRANGEMAX, 0, 0), 30);
    EXPECT_EQ(SendMessageW(track, TBM_GETLINESIZE, 0, 0), 2);
    EXPECT_EQ(SendMessageW(track, TBM_GETPAGESIZE, 0, 0), 1);
    EXPECT_EQ(SendMessageW(track, TBM_GETNUMTICS, 0, 0), 30);
    const LONG trackStyle = GetWindowLongW(track, GWL_STYLE);
    EXPECT_FALSE(trackStyle & (TBS_VERT | TBS_TOP | TBS_BOTH | TBS_NOTICKS));
    if (At96Dpi()) {
        EXPECT_EQ(SendMessageW(track, TBM_GETTHUMBLENGTH, 0, 0), 20);
    }
}

TEST_F(AboutDialogTest, TabOrder) {
    auto dialog = Open();
    const HWND d = dialog->Handle();
    const int expected[] = {IDC_TRACKBAR1, IDC_SPINEDIT1, IDC_SPINEDIT2, IDC_CHECKBOX2, IDC_SPINEDIT3,
                            IDOK,          IDC_BUTTON1,   IDC_CHECKBOX1, IDC_TRACKBAR1};
    EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_TRACKBAR1));
    HWND at = GetDlgItem(d, IDC_TRACKBAR1);
    for (size_t i = 1; i < std::size(expected); ++i) {
        at = GetNextDlgTabItem(d, at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(at), expected[i]) << i;
    }
    // The Tab key itself, through the dialog's loop.
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    Pump(*dialog);
    EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_SPINEDIT1));
}

TEST_F(AboutDialogTest, OpeningFillsTheControlsAndClampsTheThresholds) {
    state.HistoryLength = 50;
    state.AlertPercent = 0;
    state.AlertMinutes = 5000;
    state.AutoStart = false;
    auto dialog = Open();
    const HWND d = dialog->Handle();
    EXPECT_EQ(SendMessageW(GetDlgItem(d, IDC_TRACKBAR1), TBM_GETPOS, 0, 0), 30);
    EXPECT_EQ(state.HistoryLength, 50);
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_SPINEDIT1)), L"1");
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_SPINEDIT2)), L"999");
    EXPECT_EQ(state.AlertPercent, 1);
    EXPECT_EQ(state.AlertMinutes, 999);
    EXPECT_EQ(host.refreshes, 2);
    EXPECT_EQ(SendMessageW(GetDlgItem(d, IDC_CHECKBOX1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(AboutDialogTest, TypedValueCountsAtOnceAndIsClampedWhenTheFocusMovesOn) {
    auto dialog = Open();
    const HWND d = dialog->Handle();
    const HWND edit = GetDlgItem(d, IDC_SPINEDIT1);
    SetFocus(edit);
    SetWindowTextW(edit, L"");
    EXPECT_EQ(state.AlertPercent, 1);
    wchar_t separator[8] = L".";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    Type(*dialog, edit, std::wstring(L"1x5") + separator[0] + L"0");  // the letter is refused
    EXPECT_EQ(TextOf(edit), std::wstring(L"15") + separator[0] + L"0");
    EXPECT_EQ(state.AlertPercent, 1);  // not an integer
    SetWindowTextW(edit, L"");
    Type(*dialog, edit, L"150");
    EXPECT_EQ(state.AlertPercent, 150);
    SetFocus(GetDlgItem(d, IDOK));
    EXPECT_EQ(TextOf(edit), L"100");
    EXPECT_EQ(state.AlertPercent, 100);

    const HWND minutes = GetDlgItem(d, IDC_SPINEDIT2);
    SetFocus(minutes);
    SetWindowTextW(minutes, L"0");
    EXPECT_EQ(state.AlertMinutes, 0);
    SetFocus(GetDlgItem(d, IDC_TRACKBAR1));
    EXPECT_EQ(TextOf(minutes), L"1");
    EXPECT_EQ(state.AlertMinutes, 1);
}

TEST_F(AboutDialogTest, EnterIsRefusedInTheFieldAndPressesOk) {
    auto dialog = Open();
    const HWND edit = GetDlgItem(dialog->Handle(), IDC_SPINEDIT1);
    SetFocus(edit);
    SendMessageW(edit, WM_CHAR, L'\r', 1);  // straight to the field: refused
    EXPECT_EQ(TextOf(edit), L"10");
    EXPECT_FALSE(dialog->Closing());
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);  // through the loop: the default button
    Pump(*dialog);
    EXPECT_TRUE(dialog->Closing());
}

TEST_F(AboutDialogTest, EscapeCharacterReachesTheFormFirstAndCloses) {
    state.AlertPercent = 0;
    auto dialog = Open();
    const HWND edit = GetDlgItem(dialog->Handle(), IDC_SPINEDIT2);
    SetFocus(edit);
    Type(*dialog, edit, L"\x1b");
    EXPECT_TRUE(dialog->Closing());
    EXPECT_EQ(state.AlertPercent, 1);
}

TEST_F(AboutDialogTest, ButtonsAndArrowKeysStepWithinTheRange) {
    state.AlertPercent = 99;
    auto dialog = Open();
    const HWND d = dialog->Handle();
    const HWND edit = GetDlgItem(d, IDC_SPINEDIT1);
    SetFocus(edit);
    SendMessageW(edit, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(state.AlertPercent, 100);
    SendMessageW(edit, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(TextOf(edit), L"100");
    SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(state.AlertPercent, 99);

    // The mouse on the up-down control's upper and lower halves.
    const HWND buttons = GetDlgItem(d, IDC_SPINEDIT2_BUTTONS);
    RECT r{};
    GetClientRect(buttons, &r);
    auto click = [&](int y) {
        SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, y));
        SendMessageW(buttons, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, y));
    };
    click(2);
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_SPINEDIT2)), L"11");
    click(r.bottom - 3);
    click(r.bottom - 3);
    EXPECT_EQ(state.AlertMinutes, 9);
    EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_SPINEDIT2));
}

TEST_F(AboutDialogTest, ThumbMovesByTwoWithTheArrowKeysAndSetsTheHistoryLength) {
    state.HistoryLength = 50;
    auto dialog = Open();
    const HWND track = GetDlgItem(dialog->Handle(), IDC_TRACKBAR1);
    SetFocus(track);
    SendMessageW(track, WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(state.HistoryLength, 28);
    EXPECT_GE(host.refreshes, 1);
    SendMessageW(track, WM_KEYDOWN, VK_HOME, 1);
    EXPECT_EQ(state.HistoryLength, 1);
}

TEST_F(AboutDialogTest, CheckBoxSetsAutoStart) {
    auto dialog = Open();
    SendMessageW(GetDlgItem(dialog->Handle(), IDC_CHECKBOX1), BM_CLICK, 0, 0);
    EXPECT_FALSE(state.AutoStart);
    EXPECT_EQ(host.refreshes, 0);
}

// What the confirmation box showed, seen from the driving thread.
struct ConfirmationSeen {
    bool found = false;
    std::wstring yes, no, text;
    bool yesIsDefault = false;
    bool questionIcon = false;
};

// Waits for the box, records it, then answers with `answer`: a button to
// click, IDOK for the Enter key or IDCANCEL for the Escape key.
std::thread AnswerConfirmation(ConfirmationSeen& seen, int answer) {
    return std::thread([&seen, answer] {
        const HWND box = WaitForWindow(L"Confirmation");
        if (!box) return;
        seen.found = true;
        seen.yes = TextOf(GetDlgItem(box, IDYES));
        seen.no = TextOf(GetDlgItem(box, IDNO));
        seen.yesIsDefault = (GetWindowLongW(GetDlgItem(box, IDYES), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        EnumChildWindows(
            box,
            [](HWND child, LPARAM p) -> BOOL {
                auto& s = *reinterpret_cast<ConfirmationSeen*>(p);
                wchar_t cls[32] = {};
                GetClassNameW(child, cls, 32);
                if (lstrcmpiW(cls, L"Static") == 0) {
                    if (SendMessageW(child, STM_GETICON, 0, 0)) s.questionIcon = true;
                    const std::wstring t = TextOf(child);
                    if (!t.empty()) s.text = t;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&seen));
        if (answer == IDCANCEL || answer == IDOK)
            PostMessageW(GetDlgItem(box, IDYES), WM_KEYDOWN, answer == IDOK ? VK_RETURN : VK_ESCAPE, 1);
        else
            PostMessageW(GetDlgItem(box, answer), BM_CLICK, 0, 0);
    });
}

void PressReset(AboutDialogWin32& dialog) {
    PostMessageW(GetDlgItem(dialog.Handle(), IDC_BUTTON1), BM_CLICK, 0, 0);
    MSG msg;
    const ULONGLONG end = GetTickCount64() + 5000;
    // The click opens the box inside this pump; it returns once answered.
    while (GetTickCount64() < end && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) dialog.ProcessMessage(msg);
}

TEST_F(AboutDialogTest, ResetConfirmedWithOuiOrEnterResetsAndCloses) {
    for (int answer : {IDYES, IDOK}) {
        host.resets = 0;
        auto dialog = Open();
        ConfirmationSeen seen;
        std::thread driver = AnswerConfirmation(seen, answer);
        PressReset(*dialog);
        driver.join();
        ASSERT_TRUE(seen.found) << answer;
        EXPECT_EQ(seen.yes, L"&Oui");
        EXPECT_EQ(seen.no, L"&Non");
        EXPECT_TRUE(seen.yesIsDefault);
        EXPECT_EQ(seen.text, L"Reset battery consumption datas ?");
        EXPECT_TRUE(seen.questionIcon);
        EXPECT_EQ(host.resets, 1) << answer;
        EXPECT_TRUE(dialog->Closing()) << answer;
    }
}

TEST_F(AboutDialogTest, ResetAnsweredNonOrEscapeChangesNothing) {
    auto dialog = Open();
    for (int answer : {IDNO, IDCANCEL}) {
        ConfirmationSeen seen;
        std::thread driver = AnswerConfirmation(seen, answer);
        PressReset(*dialog);
        driver.join();
        ASSERT_TRUE(seen.found) << answer;
        EXPECT_EQ(host.resets, 0) << answer;
        EXPECT_FALSE(dialog->Closing()) << answer;
        EXPECT_TRUE(IsWindowVisible(dialog->Handle()));
    }
}

TEST_F(AboutDialogTest, ModalRunDisablesTheOwnerAndClampsTheFieldBeingEditedOnClose) {
    const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(owner);
    std::atomic<bool> ownerWasDisabled{false};
    std::atomic<bool> found{false};
    std::thread driver([&] {
        const HWND d = WaitForWindow(L"About KAVELO");
        if (!d) return;
        found = true;
        ownerWasDisabled = !IsWindowEnabled(owner);
        const HWND edit = GetDlgItem(d, IDC_SPINEDIT1);
        SendMessageW(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"150"));
        PostMessageW(edit, WM_CHAR, 0x1b, 1);
    });
    {
        AboutDialogWin32 dialog(owner);
        TAboutBox box(dialog, state, host);
        dialog.Connect(box), dialog.RunModal();
    }
    driver.join();
    ASSERT_TRUE(found);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(state.AlertPercent, 100);
    EXPECT_EQ(FindWindowW(L"#32770", L"About KAVELO"), nullptr);
    DestroyWindow(owner);
}

}  // namespace
}  // namespace kavelo::win32
