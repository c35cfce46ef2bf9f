#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/image_list_win32.h"
#include "platform/win32/tray_shell_win32.h"
#include "platform/win32/tray_timer_win32.h"

namespace kavelo::win32 {
namespace {

// The 16 x 16 pixels of one of an icon's bitmaps as 32-bit DIB values
// (blue in the low byte), top row first; empty if the icon is not valid.
std::vector<DWORD> IconBits(HICON icon, bool mask) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -16;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> px(256);
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, mask ? info.hbmMask : info.hbmColor, 0, 16, px.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return rows == 16 ? px : std::vector<DWORD>{};
}

std::array<std::uint32_t, 256> Plain(std::uint32_t colour) {
    std::array<std::uint32_t, 256> p;
    p.fill(colour);
    return p;
}

HICON AsHicon(const OwnedIcon& icon) { return reinterpret_cast<HICON>(icon.Handle()); }

TEST(Win32ImageList, DpiGivesTheTaskbarsIconSize) {  // run at 96, 144 and 192 DPI
    const int dpi = static_cast<int>(SystemDpi()), size = dpi / 6;  // 16, 24, 32
    std::printf("system DPI %d\n", dpi);  // the harness checks that its setting took
    Win32ImageList list;
    list.SetSize(Win32NotifyShell().IconSize());
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list.Handle(), &cx, &cy);
    EXPECT_EQ(cx * cy, size * size);
}

TEST(Win32ImageList, IconsCarryTheImagesColoursOpaque) {
    Win32ImageList list;
    auto first = Plain(0x0000FF);                    // red
    first[0] = 0x332211;                             // R 11, G 22, B 33
    first[255] = 0xC0C0C0;
    const auto second = Plain(0x00FF00);             // green
    EXPECT_EQ(list.Add(first.data()), 0);
    EXPECT_EQ(list.Add(second.data()), 1);
    EXPECT_EQ(list.Count(), 2);

    OwnedIcon icon;
    list.GetIcon(0, icon);
    std::vector<DWORD> px = IconBits(AsHicon(icon), false);
    ASSERT_EQ(px.size(), 256u);
    EXPECT_EQ(px[0] & 0xFFFFFF, 0x112233u) << "channel order";
    EXPECT_EQ(px[1] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(px[17 * 8] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(px[255] & 0xFFFFFF, 0xC0C0C0u) << "last pixel is the bottom right one";
    // Opaque: the mask lets nothing of the background through.
    for (DWORD m : IconBits(AsHicon(icon), true)) ASSERT_EQ(m & 0xFFFFFF, 0u);

    list.GetIcon(1, icon);
    px = IconBits(AsHicon(icon), false);
    ASSERT_EQ(px.size(), 256u);
    EXPECT_EQ(px[100] & 0xFFFFFF, 0x00FF00u);
}

TEST(Win32ImageList, AlphaIconsClearWhereTheImageIsMaskedToo) {
    Win32ImageList list;
    list.SetAlpha(true);
    auto px = Plain(0);                                          // clear
    for (int x = 0; x < 16; ++x) px[16 * 8 + x] = 0xFF332211;  // but an opaque row
    list.Add(px.data());
    OwnedIcon icon;
    list.ShareIcon(0, icon);
    const std::vector<DWORD> colour = IconBits(AsHicon(icon), false), mask = IconBits(AsHicon(icon), true);
    ASSERT_EQ(colour.size() + mask.size(), 512u);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(std::pair(colour[i], mask[i] & 0xFFFFFF),
                  i / 16 == 8 ? std::pair(0xFF112233ul, 0ul) : std::pair(0ul, 0xFFFFFFul)) << i;
}

TEST(Win32ImageList, TakingOutAnIconDestroysThePreviousOne) {
    Win32ImageList list;
    const auto red = Plain(0x0000FF);
    list.Add(red.data());
    OwnedIcon icon;
    list.GetIcon(0, icon);
    const HICON before = AsHicon(icon);
    ASSERT_NE(before, nullptr);
    list.GetIcon(0, icon);
    EXPECT_NE(AsHicon(icon), nullptr);
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(before, &info)) << "the previous icon is still alive";

    list.GetIcon(7, icon);  // no such image
    EXPECT_EQ(icon.Handle(), 0u);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.GetIcon(0, icon);
    EXPECT_EQ(icon.Handle(), 0u);
}

TEST(Win32ImageList, SharedIconsOnePerPictureAliveWhileKeptOrHeld) {
    Win32ImageList list;
    const auto red = Plain(0x0000FF), green = Plain(0x00FF00);
    list.Add(red.data());
    list.Add(green.data());
    OwnedIcon a, b, c;
    list.ShareIcon(0, a);
    list.ShareIcon(1, b);
    list.Clear();
    list.Add(green.data());
    list.ShareIcon(0, c);
    EXPECT_EQ(c.Handle(), b.Handle()) << "the same picture, the same icon";
    EXPECT_NE(a.Handle(), b.Handle());
    for (std::uint32_t i = 1; i <= Win32ImageList::kSharedIcons; ++i) {  // more pictures than it keeps
        list.Clear();
        const auto other = Plain(i);
        list.Add(other.data());
        OwnedIcon passing;
        list.ShareIcon(0, passing);
    }
    ASSERT_EQ(IconBits(AsHicon(a), false).size(), 256u) << "still held";
    EXPECT_EQ(IconBits(AsHicon(a), false)[0] & 0xFFFFFF, 0xFF0000u);
    const HICON dropped = AsHicon(a);
    a.Reset();
    EXPECT_TRUE(IconBits(dropped, false).empty()) << "neither kept nor held, yet alive";
}

// The wide record whole; a tip longer than its field loses no half character.
TEST(Win32NotifyIconData, WideRecordCarriesTheTip) {
    NotifyIconData d{0x1234, 2, 7, 1279, 0x5678, "Battery :  58% (charging)\nFull in about 1 h 20 min"};
    const NOTIFYICONDATAW n = ToNotifyIconDataW(d);
    EXPECT_EQ(std::tuple(n.cbSize, n.uID, n.uFlags, n.uCallbackMessage), std::tuple(DWORD(sizeof n), 2u, 7u, 1279u));
    EXPECT_EQ(std::wstring(n.szTip), L"Battery :  58% (charging)\nFull in about 1 h 20 min");
    d.szTip = std::string(126, 'x') + "\xF0\x9F\x94\x8B";  // two units after 126
    EXPECT_EQ(std::wstring(ToNotifyIconDataW(d).szTip), std::wstring(126, L'x'));
}

void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

TEST(Win32TrayTimer, TicksOnlyWhileEnabledWithAPositiveInterval) {
    int ticks = 0;
    Win32TrayTimer timer(0, [&] { ++ticks; });
    timer.SetEnabled(true);
    Pump(120);
    EXPECT_EQ(ticks, 0) << "interval 0";
    timer.SetInterval(10);
    for (int i = 0; i < 200 && ticks < 3; ++i) Pump(10);
    EXPECT_GE(ticks, 3);
    timer.SetEnabled(false);
    const int stopped = ticks;
    Pump(120);
    EXPECT_EQ(ticks, stopped);
}

}  // namespace
}  // namespace kavelo::win32
