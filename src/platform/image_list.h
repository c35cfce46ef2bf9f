#pragma once
// A list of square images (16 x 16 unless told otherwise), opaque or with
// an alpha channel, from which one image at a time can be taken out as an
// icon.
#include <cstdint>
#include <functional>
#include <utility>

#include "platform/notify_shell.h"

namespace kavelo {

// Holds one icon handle and destroys it when it is replaced or dropped.
class OwnedIcon {
public:
    using Destroyer = std::function<void(IconId)>;

    OwnedIcon() = default;
    ~OwnedIcon() { Reset(); }
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;

    IconId Handle() const { return handle_; }

    // Takes the new handle (0 for none), destroying the previous one.
    void Reset(IconId handle = 0, Destroyer destroy = {}) {
        const IconId old = handle_;
        Destroyer oldDestroy = std::move(destroy_);
        handle_ = handle;
        destroy_ = handle ? std::move(destroy) : Destroyer{};
        if (old && oldDestroy) oldDestroy(old);
    }

private:
    IconId handle_ = 0;
    Destroyer destroy_;
};

class ImageList {
public:
    static constexpr int kSize = 16;
    static constexpr int kPixels = kSize * kSize;

    virtual ~ImageList() = default;
    // The images' width and height. A new size empties the list; the size
    // it has already changes nothing.
    virtual int Size() const = 0;
    virtual void SetSize(int size) = 0;
    virtual void Clear() = 0;
    virtual int Count() const = 0;
    // Without alpha the images' icons are opaque and the top byte of each
    // pixel is ignored. With alpha every pixel is 0xAABBGGRR, straight (not
    // premultiplied), as an icon's own alpha channel is: the taskbar shows
    // through where alpha is below 0xFF. A change empties the list.
    bool Alpha() const { return alpha_; }
    virtual void SetAlpha(bool alpha) {
        if (alpha == alpha_) return;
        Clear();
        alpha_ = alpha;
    }
    // Appends an image of Size() x Size() colours 0x00BBGGRR (0xAABBGGRR
    // with alpha), row by row from the top; returns its index, or -1 when it
    // could not be added.
    virtual int Add(const std::uint32_t* pixels) = 0;
    // The Size() x Size() colours of image `index`, as given to Add; null
    // for an index outside the list.
    virtual const std::uint32_t* Pixels(int index) const = 0;
    // Puts image `index` into `icon` as a new icon; the icon held before is
    // destroyed. An index outside the list leaves `icon` empty.
    virtual void GetIcon(int index, OwnedIcon& icon) = 0;
    // As GetIcon, but a picture met again may be given the icon it had
    // before instead of a new one: a list that keeps the icons of its
    // latest pictures spares making and destroying one at each change.
    virtual void ShareIcon(int index, OwnedIcon& icon) { GetIcon(index, icon); }

private:
    bool alpha_ = false;
};

}  // namespace kavelo
