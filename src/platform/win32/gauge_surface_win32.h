#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kavelo {
class PixelBuffer;
}

namespace kavelo::win32 {

// What the gauge window shows: the picture the logic painted, pixel for
// pixel, and Label1 over its middle while the label is in force.
class GaugeSurface {
public:
    // Label1 sits inside the window's 4-pixel frame (the 2-pixel sunken edge
    // and the two 1-pixel bevels).
    static constexpr int kLabelInset = 4;

    void SetPicture(const PixelBuffer& picture);
    void ShowLabel(const std::wstring& text);
    void HideLabel() { labelShown_ = false; }
    bool LabelShown() const { return labelShown_; }

    // Paints the whole client area (width x height) on `dc`.
    void Paint(HDC dc, int width, int height) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> bgrx_;  // the picture in the DIB's byte order
    std::wstring label_;
    bool labelShown_ = false;
};

}  // namespace kavelo::win32
