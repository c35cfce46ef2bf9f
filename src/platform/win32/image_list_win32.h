#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/image_list.h"

namespace kavelo::win32 {

// A list of 16 x 16 colour images without masks (opaque icons). Owns its
// HIMAGELIST; the icons it hands out belong to whoever holds them.
class Win32ImageList final : public ImageList {
public:
    Win32ImageList();
    ~Win32ImageList() override;
    Win32ImageList(const Win32ImageList&) = delete;
    Win32ImageList& operator=(const Win32ImageList&) = delete;

    void Clear() override;
    int Count() const override;
    int Add(const std::uint32_t* pixels) override;
    void GetIcon(int index, OwnedIcon& icon) override;

    HIMAGELIST Handle() const { return list_; }

private:
    HIMAGELIST list_ = nullptr;
};

}  // namespace kavelo::win32
