#include "platform/win32/gauge_surface_win32.h"

#include <algorithm>

#include "platform/win32/handles_win32.h"
#include "render/pixel_buffer.h"

namespace kavelo::win32 {

bool GaugeSurface::SetPicture(const PixelBuffer& picture) {
    const uint32_t* src = picture.Data();
    const size_t count = static_cast<size_t>(picture.Width()) * static_cast<size_t>(picture.Height());
    // 0x00BBGGRR in, 0x00RRGGBB out: a 32-bit DIB keeps blue in its low byte.
    auto dib = [](uint32_t c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); };
    bool same = picture.Width() == width_ && picture.Height() == height_;
    for (size_t i = 0; same && i < count; ++i) same = bgrx_[i] == dib(src[i]);
    if (same) return false;
    width_ = picture.Width();
    height_ = picture.Height();
    bgrx_.resize(count);
    for (size_t i = 0; i < count; ++i) bgrx_[i] = dib(src[i]);
    return true;
}

bool GaugeSurface::ShowLabel(const std::wstring& text) {
    if (labelShown_ && label_ == text) return false;
    label_ = text;
    labelShown_ = true;
    return true;
}

void GaugeSurface::Paint(HDC dc, int width, int height) const {
    const auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    if (width_ > 0 && height_ > 0) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = width_;
        bi.bmiHeader.biHeight = -height_;  // top row first
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width_), static_cast<DWORD>(height_), 0, 0, 0,
                          static_cast<UINT>(height_), bgrx_.data(), &bi, DIB_RGB_COLORS);
    }
    // A window larger than its picture (between a resize and the next face)
    // shows black where the picture doesn't reach.
    if (width > width_) {
        const RECT right{std::max(width_, 0), 0, width, height};
        FillRect(dc, &right, black);
    }
    if (height > height_) {
        const RECT below{0, std::max(height_, 0), std::min(width, width_), height};
        FillRect(dc, &below, black);
    }
    if (!labelShown_) return;
    const int k = scale_;
    if (k <= 1) {
        PaintLabel(dc, width, height);
        return;
    }
    const int w = width / k, h = height / k;
    const MemoryDc memory(CreateCompatibleDC(dc));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(dc, w, h));
    if (!memory || !bitmap) return;
    const ScopedSelect selected(memory.get(), bitmap.get());
    PaintLabel(memory.get(), w, h);
    const int in = kLabelInset;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, in * k, in * k, (w - 2 * in) * k, (h - 2 * in) * k, memory.get(), in, in, w - 2 * in,
               h - 2 * in, SRCCOPY);
}

void GaugeSurface::PaintLabel(HDC dc, int width, int height) const {
    // The stock GUI font as it is at 96 DPI, 8 points, whatever the system's DPI.
    constexpr LONG kFontHeightAt96 = -11;
    LOGFONTW lf{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfHeight = kFontHeightAt96;
    const UniqueFont labelFont(CreateFontIndirectW(&lf));
    RECT inner{kLabelInset, kLabelInset, width - kLabelInset, height - kLabelInset};
    FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
    const ScopedSelect font(dc, labelFont ? labelFont.get() : GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, label_.c_str(), static_cast<int>(label_.size()), &inner,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

}  // namespace kavelo::win32
