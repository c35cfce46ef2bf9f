#include <gtest/gtest.h>

#include "platform/win32/window_timer_win32.h"

namespace kavelo::win32 {
namespace {

constexpr UINT_PTR kId = 5;
constexpr UINT kInterval = 200;

class WindowTimerTest : public ::testing::Test {
protected:
    ~WindowTimerTest() override { DestroyWindow(hwnd); }

    // Takes this window's messages for `ms` and counts the ticks that the
    // timer accepts, noting when the first came.
    int CountTicks(DWORD ms, ULONGLONG* first = nullptr) {
        int count = 0;
        const ULONGLONG end = GetTickCount64() + ms;
        for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_TIMER && timer.IsTick(msg.wParam) && count++ == 0 && first) {
                    *first = GetTickCount64();
                }
            }
        }
        return count;
    }

    HWND hwnd = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    Win32WindowTimer timer{hwnd, kId, kInterval};
};

TEST_F(WindowTimerTest, TicksOnlyWhileEnabled) {
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(CountTicks(450), 0);
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_GE(CountTicks(700), 2);
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(CountTicks(450), 0);
}

TEST_F(WindowTimerTest, EnablingAnEnabledTimerKeepsItsRhythm) {
    const ULONGLONG start = GetTickCount64();
    timer.SetEnabled(true);
    Sleep(120);
    timer.SetEnabled(true);  // a reset here would push the first tick to 320 ms
    ULONGLONG first = 0;
    ASSERT_GE(CountTicks(400, &first), 1);
    EXPECT_LT(first - start, 290u);
}

TEST_F(WindowTimerTest, EnablingADisabledTimerStartsAFullInterval) {
    timer.SetEnabled(true);
    Sleep(150);
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    const ULONGLONG restart = GetTickCount64();
    ULONGLONG first = 0;
    ASSERT_GE(CountTicks(600, &first), 1);
    EXPECT_GE(first - restart, kInterval - 20);
}

TEST_F(WindowTimerTest, OnlyItsOwnTicksWhileRunningAreAccepted) {
    EXPECT_FALSE(timer.IsTick(kId));
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.IsTick(kId));
    EXPECT_FALSE(timer.IsTick(kId + 1));
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.IsTick(kId));  // one generated just before stopping
}

}  // namespace
}  // namespace kavelo::win32
