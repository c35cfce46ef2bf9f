#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/image_list.h"
#include "platform/win32/handles_win32.h"

namespace kavelo::win32 {

// A list of square colour images without masks (opaque icons), 16 x 16
// until told otherwise. Owns its HIMAGELIST, made anew for a new size; the
// icons it hands out belong to whoever holds them.
class Win32ImageList final : public ImageList {
public:
    Win32ImageList();

    int Size() const override { return size_; }
    void SetSize(int size) override;
    void Clear() override;
    int Count() const override;
    int Add(const std::uint32_t* pixels) override;
    void GetIcon(int index, OwnedIcon& icon) override;

    HIMAGELIST Handle() const { return list_.get(); }

private:
    UniqueImageList list_;
    int size_ = kSize;
};

}  // namespace kavelo::win32
