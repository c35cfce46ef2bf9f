#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kavelo {
class PixelBuffer;
}

namespace kavelo::win32 {

// What the gauge window shows: the picture the logic painted, pixel for
// pixel, and Label1 over its middle while the label is in force. At a scale
// k above 1 the label is drawn as at 96 DPI and each of its pixels shown as
// a k x k block, like the picture round it.
class GaugeSurface {
public:
    // Label1 sits inside the window's 4-pixel frame (the 2-pixel sunken edge
    // and the two 1-pixel bevels).
    static constexpr int kLabelInset = 4;

    // Each returns whether what the window shows changed: only then is it
    // painted again.
    bool SetPicture(const PixelBuffer& picture);
    bool ShowLabel(const std::wstring& text);
    bool HideLabel() { return std::exchange(labelShown_, false); }
    bool LabelShown() const { return labelShown_; }
    void SetScale(int k) { scale_ = k; }

    // Paints the whole client area (width x height) on `dc`.
    void Paint(HDC dc, int width, int height) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> bgrx_;  // the picture in the DIB's byte order
    void PaintLabel(HDC dc, int width, int height) const;

    std::wstring label_;
    bool labelShown_ = false;
    int scale_ = 1;
};

}  // namespace kavelo::win32
