#include "platform/win32/image_list_win32.h"

#include <utility>

#include "platform/win32/last_error_win32.h"

namespace kavelo::win32 {

namespace {

// 0x00BBGGRR to a 32-bit DIB pixel (blue in the low byte), fully opaque.
DWORD ToDibPixel(std::uint32_t c) {
    const DWORD r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

void DestroyIconHandle(IconId id) { DestroyIcon(reinterpret_cast<HICON>(id)); }

}  // namespace

Win32ImageList::Win32ImageList() : list_(ImageList_Create(kSize, kSize, ILC_COLOR32, 2, 2)) {
    if (!list_) ThrowLastError("ImageList_Create");
}

void Win32ImageList::SetSize(int size) {
    if (size == size_) return;
    UniqueImageList list(ImageList_Create(size, size, ILC_COLOR32, 2, 2));
    if (!list) ThrowLastError("ImageList_Create");
    list_ = std::move(list);
    size_ = size;
}

void Win32ImageList::Clear() { ImageList_RemoveAll(list_.get()); }

int Win32ImageList::Count() const { return ImageList_GetImageCount(list_.get()); }

int Win32ImageList::Add(const std::uint32_t* pixels) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size_;
    bi.bmiHeader.biHeight = -size_;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const UniqueBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) {
        TraceLastError("CreateDIBSection");
        return -1;
    }
    auto* out = static_cast<DWORD*>(bits);
    for (int i = 0; i < size_ * size_; ++i) out[i] = ToDibPixel(pixels[i]);
    return ImageList_Add(list_.get(), bitmap.get(), nullptr);  // the list keeps a copy
}

void Win32ImageList::GetIcon(int index, OwnedIcon& icon) {
    HICON h = (index >= 0 && index < Count()) ? ImageList_GetIcon(list_.get(), index, ILD_NORMAL) : nullptr;
    if (h)
        icon.Reset(reinterpret_cast<IconId>(h), &DestroyIconHandle);
    else
        icon.Reset();
}

}  // namespace kavelo::win32
