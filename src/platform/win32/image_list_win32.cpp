#include "platform/win32/image_list_win32.h"

#include <algorithm>
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

BITMAPINFO TopDown32(int size) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// 0xAABBGGRR pixels as an icon with an alpha channel: a 32-bit DIB section
// (what CreateIconIndirect reads alpha from) and a mask that hides every
// pixel not fully opaque where an icon is drawn without alpha.
HICON AlphaIcon(const std::vector<std::uint32_t>& pixels, int size) {
    const BITMAPINFO bi = TopDown32(size);
    void* bits = nullptr;
    const UniqueBitmap colour(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour) {
        TraceLastError("CreateDIBSection");
        return nullptr;
    }
    const int stride = (size + 15) / 16 * 2;  // mask rows are whole WORDs
    std::vector<BYTE> mask(static_cast<std::size_t>(stride * size), 0);
    auto* out = static_cast<DWORD*>(bits);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const std::uint32_t c = pixels[static_cast<std::size_t>(y * size + x)];
            out[y * size + x] = (c & 0xFF000000u) | (ToDibPixel(c) & 0xFFFFFFu);
            if (c >> 24 != 0xFF) mask[static_cast<std::size_t>(y * stride + x / 8)] |= BYTE(0x80 >> (x % 8));
        }
    const UniqueBitmap monochrome(CreateBitmap(size, size, 1, 1, mask.data()));
    ICONINFO info{TRUE, 0, 0, monochrome.get(), colour.get()};
    HICON icon = monochrome ? CreateIconIndirect(&info) : nullptr;  // copies both bitmaps
    if (!icon) TraceLastError("CreateIconIndirect");
    return icon;
}

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
    images_.clear();
    listed_ = 0;
}

void Win32ImageList::Clear() {
    images_.clear();
    listed_ = -1;
}

int Win32ImageList::Count() const { return static_cast<int>(images_.size()); }

const std::uint32_t* Win32ImageList::Pixels(int index) const {
    return index >= 0 && index < Count() ? images_[static_cast<std::size_t>(index)].data() : nullptr;
}

int Win32ImageList::Add(const std::uint32_t* pixels) {
    images_.emplace_back(pixels, pixels + size_ * size_);
    return Count() - 1;
}

void Win32ImageList::Sync() {
    if (listed_ == Count()) return;
    ImageList_RemoveAll(list_.get());
    listed_ = 0;
    const BITMAPINFO bi = TopDown32(size_);
    for (const std::vector<std::uint32_t>& pixels : images_) {
        void* bits = nullptr;
        const UniqueBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap) {
            TraceLastError("CreateDIBSection");
            listed_ = -1;
            return;
        }
        auto* out = static_cast<DWORD*>(bits);
        for (std::size_t i = 0; i < pixels.size(); ++i) out[i] = ToDibPixel(pixels[i]);
        if (ImageList_Add(list_.get(), bitmap.get(), nullptr) < 0) {  // the list keeps a copy
            listed_ = -1;
            return;
        }
    }
    listed_ = Count();
}

HICON Win32ImageList::MakeIcon(int index) {
    if (index < 0 || index >= Count()) return nullptr;
    if (Alpha()) return AlphaIcon(images_[static_cast<std::size_t>(index)], size_);
    Sync();
    return index < listed_ ? ImageList_GetIcon(list_.get(), index, ILD_NORMAL) : nullptr;
}

void Win32ImageList::SetAlpha(bool alpha) {
    // The icons kept are of the other kind: the same pixels read otherwise.
    if (alpha != Alpha()) shared_.clear();
    ImageList::SetAlpha(alpha);
}

void Win32ImageList::GetIcon(int index, OwnedIcon& icon) {
    HICON h = MakeIcon(index);
    if (h)
        icon.Reset(reinterpret_cast<IconId>(h), &DestroyIconHandle);
    else
        icon.Reset();
}

void Win32ImageList::ShareIcon(int index, OwnedIcon& icon) {
    const std::uint32_t* pixels = Pixels(index);
    if (!pixels) {
        icon.Reset();
        return;
    }
    const std::size_t n = static_cast<std::size_t>(size_) * static_cast<std::size_t>(size_);
    auto same = std::find_if(shared_.begin(), shared_.end(), [&](const SharedIcon& s) {
        return s.pixels.size() == n && std::equal(s.pixels.begin(), s.pixels.end(), pixels);
    });
    std::shared_ptr<UniqueIcon> held;
    if (same != shared_.end()) {
        std::rotate(same, same + 1, shared_.end());  // now the latest used
        held = shared_.back().icon;
    } else {
        HICON h = MakeIcon(index);
        if (!h) {
            icon.Reset();
            return;
        }
        held = std::make_shared<UniqueIcon>(h);
        if (shared_.size() == kSharedIcons) shared_.erase(shared_.begin());
        shared_.push_back({std::vector<std::uint32_t>(pixels, pixels + n), held});
    }
    // The holder's share goes with its destroyer; the icon dies with the last.
    icon.Reset(reinterpret_cast<IconId>(held->get()), [held](IconId) {});
}

}  // namespace kavelo::win32
