#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "platform/win32/application_win32.h"
#include "platform/win32/gauge_window_win32.h"
#include "render/pixel_buffer.h"
#include "win/window_test_support.h"

namespace kavelo::win32 {
namespace {

// What the window paints, read back through WM_PRINTCLIENT into a DIB and
// returned as 0x00BBGGRR colours, row-major.
PixelBuffer Painted(HWND hwnd, int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bmp);
    PatBlt(dc, 0, 0, width, height, WHITENESS);  // anything left unpainted shows
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    PixelBuffer out(width, height);
    const auto* px = static_cast<const uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = px[y * width + x] & 0xFFFFFF;
            out.SetPixel(x, y, ((c & 0xFF) << 16) | (c & 0xFF00) | (c >> 16));
        }
    }
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return out;
}

class GaugeWindowPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetHeight(24);
        window.SetWidth(80);
        // A grey frame, a black face and three primaries side by side.
        picture.FillRect(0, 0, 80, 24, 0x808080);
        picture.FillRect(4, 4, 76, 20, 0x000000);
        picture.SetPixel(10, 10, 0x0000FF);
        picture.SetPixel(11, 10, 0x00FF00);
        picture.SetPixel(12, 10, 0xFF0000);
        window.SetPicture(picture);
    }
    Win32Application app;
    Win32GaugeWindow window{app};
    PixelBuffer picture{80, 24};
};

TEST_F(GaugeWindowPaintTest, PictureIsShownPixelForPixelInItsOwnColours) {
    EXPECT_TRUE(Painted(window.Handle(), 80, 24) == picture);
}

TEST_F(GaugeWindowPaintTest, LabelIsCentredInsideTheFrameOnTheButtonFace) {
    window.ShowLabel("Absente");
    const PixelBuffer shot = Painted(window.Handle(), 80, 24);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The frame stays the picture's; inside it, the button face and black text.
    for (int x = 0; x < 80; ++x) {
        EXPECT_EQ(shot.Pixel(x, 0), 0x808080u);
        EXPECT_EQ(shot.Pixel(x, 3), 0x808080u);
    }
    EXPECT_EQ(shot.Pixel(4, 4), face);
    EXPECT_EQ(shot.Pixel(75, 19), face);
    // Black text, perhaps smoothed into the face at its edges.
    auto between = [face](uint32_t c) {
        for (int shift = 0; shift < 24; shift += 8) {
            if (((c >> shift) & 0xFF) > ((face >> shift) & 0xFF)) return false;
        }
        return true;
    };
    int left = 80, right = -1, top = 24, bottom = -1, black = 0;
    for (int y = 4; y < 20; ++y) {
        for (int x = 4; x < 76; ++x) {
            const uint32_t c = shot.Pixel(x, y);
            if (c == face) continue;
            EXPECT_TRUE(between(c)) << "at " << x << "," << y;
            black += c == 0;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    ASSERT_GT(black, 20) << "no text drawn";
    EXPECT_GT(right - left, 20);  // seven letters
    EXPECT_LE(std::abs((left + right) - 79), 3);  // centred across
    EXPECT_LE(std::abs((top + bottom) - 23), 4);  // and down

    window.HideLabel();
    EXPECT_TRUE(Painted(window.Handle(), 80, 24) == picture);
}

TEST_F(GaugeWindowPaintTest, DpiChangeShowsTheNinetySixDpiLabelInBlocks) {
    auto labelAt = [&](UINT dpi, int k) {
        RECT suggested{};
        SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        window.SetHeight(24 * k);
        window.SetWidth(80 * k);
        window.SetPicture(ScaleUp(picture, k));
        window.ShowLabel("Absente");
        return Painted(window.Handle(), 80 * k, 24 * k);
    };
    const PixelBuffer at96 = labelAt(96, 1);
    for (const auto& [dpi, k] : {std::pair{144u, 2}, {288u, 3}, {120u, 1}})
        EXPECT_TRUE(labelAt(dpi, k) == ScaleUp(at96, k)) << dpi;
}

TEST_F(GaugeWindowPaintTest, WhatASmallerPictureDoesNotCoverIsBlack) {
    window.SetPicture(PixelBuffer(10, 5, 0xFFFFFF));
    const PixelBuffer shot = Painted(window.Handle(), 80, 24);
    EXPECT_EQ(shot.Pixel(9, 4), 0xFFFFFFu);
    EXPECT_EQ(shot.Pixel(10, 4), 0u);
    EXPECT_EQ(shot.Pixel(9, 5), 0u);
    EXPECT_EQ(shot.Pixel(79, 23), 0u);
}

TEST_F(GaugeWindowPaintTest, OnlyAChangeIsPaintedAgain) {
    ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);  // a hidden window keeps no update region
    PixelBuffer other = picture;
    other.SetPixel(20, 10, 0x00FFFF);
    const struct {
        const char* what;
        std::function<void()> step;
        bool painted;
    } steps[] = {
        {"the same picture", [&] { window.SetPicture(picture); }, false},
        {"no label to hide", [&] { window.HideLabel(); }, false},
        {"another picture", [&] { window.SetPicture(other); }, true},
        {"the label", [&] { window.ShowLabel("Absente"); }, true},
        {"the same label", [&] { window.ShowLabel("Absente"); }, false},
        {"the label hidden", [&] { window.HideLabel(); }, true},
    };
    for (const auto& s : steps) {
        ValidateRect(window.Handle(), nullptr);
        s.step();
        EXPECT_EQ(GetUpdateRect(window.Handle(), nullptr, FALSE) != FALSE, s.painted) << s.what;
    }
}

}  // namespace
}  // namespace kavelo::win32
