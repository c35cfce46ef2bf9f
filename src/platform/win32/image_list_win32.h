#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "platform/image_list.h"
#include "platform/win32/handles_win32.h"

namespace kavelo::win32 {

// A list of square colour images, 16 x 16 until told otherwise. Opaque
// images go through its HIMAGELIST, made anew for a new size and filled
// only when an icon is to be made from it; an image with alpha becomes an
// icon of its own, a 32-bit colour bitmap with its alpha channel and a mask
// for whatever draws without alpha. The icons GetIcon hands
// out belong to whoever holds them. ShareIcon keeps the
// icons of the last kSharedIcons pictures it made (a blinking or turning
// tray picture comes back to the same few), each alive as long as the list
// keeps it or someone holds it.
class Win32ImageList final : public ImageList {
public:
    static constexpr std::size_t kSharedIcons = 8;

    Win32ImageList();

    int Size() const override { return size_; }
    void SetSize(int size) override;
    void Clear() override;
    int Count() const override;
    int Add(const std::uint32_t* pixels) override;
    const std::uint32_t* Pixels(int index) const override;
    void GetIcon(int index, OwnedIcon& icon) override;
    void ShareIcon(int index, OwnedIcon& icon) override;
    void SetAlpha(bool alpha) override;

    HIMAGELIST Handle() const { return list_.get(); }

private:
    struct SharedIcon {
        std::vector<std::uint32_t> pixels;
        std::shared_ptr<UniqueIcon> icon;
    };

    // Brings the HIMAGELIST in line with images_.
    void Sync();
    // A new icon of image `index`; null for an index outside the list or
    // when it cannot be made.
    HICON MakeIcon(int index);

    UniqueImageList list_;
    int size_ = kSize;
    std::vector<std::vector<std::uint32_t>> images_;  // as added
    int listed_ = 0;  // images_ in list_ (-1: list_ holds others)
    std::vector<SharedIcon> shared_;                  // the latest used last
};

}  // namespace kavelo::win32
