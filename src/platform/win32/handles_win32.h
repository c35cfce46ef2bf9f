#pragma once
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace kavelo::win32 {

// A move-only owner of one handle: `Close` runs exactly once for what it
// holds, when the owner is dropped or given another handle, unless it was
// let go with release(). The handle stays readable while it closes, so that
// a window's own destruction messages still find it.
template <typename Handle, auto Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Handle{}; }
    Handle release() noexcept { return std::exchange(handle_, Handle{}); }
    void reset(Handle handle = Handle{}) noexcept {
        if (handle_ != Handle{} && handle_ != handle) Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_{};
};

// Unregistering is looked up at run time, as registering is: the program
// still starts where the calls do not exist (power_notify_win32.cpp).
void UnregisterPowerSetting(HPOWERNOTIFY handle) noexcept;
void UnregisterSuspendResume(HPOWERNOTIFY handle) noexcept;

using UniqueKernelHandle = UniqueHandle<HANDLE, &CloseHandle>;  // mutexes, processes
using UniqueWindow = UniqueHandle<HWND, &DestroyWindow>;
using UniqueIcon = UniqueHandle<HICON, &DestroyIcon>;
using UniqueBitmap = UniqueHandle<HBITMAP, &DeleteObject>;
using UniqueFont = UniqueHandle<HFONT, &DeleteObject>;
using UniqueKey = UniqueHandle<HKEY, &RegCloseKey>;
using UniqueMenu = UniqueHandle<HMENU, &DestroyMenu>;
using UniqueImageList = UniqueHandle<HIMAGELIST, &ImageList_Destroy>;
using UniqueHook = UniqueHandle<HHOOK, &UnhookWindowsHookEx>;
using MemoryDc = UniqueHandle<HDC, &DeleteDC>;  // from CreateCompatibleDC
using UniquePowerNotify = UniqueHandle<HPOWERNOTIFY, &UnregisterPowerSetting>;
using UniqueSuspendResumeNotify = UniqueHandle<HPOWERNOTIFY, &UnregisterSuspendResume>;

// A window's device context from GetDC (null: the screen's), given back with
// ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() { reset(); }
    WindowDc(WindowDc&& other) noexcept : window_(other.window_), dc_(other.release()) {}
    WindowDc& operator=(WindowDc&& other) noexcept {
        if (this != &other) {
            reset();
            window_ = other.window_;
            dc_ = other.release();
        }
        return *this;
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }
    HDC release() noexcept { return std::exchange(dc_, nullptr); }
    void reset() noexcept {
        if (HDC dc = release()) ReleaseDC(window_, dc);
    }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for a scope: the object it
// displaced is selected again at the end.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) noexcept : dc_(dc), displaced_(SelectObject(dc, object)) {}
    ~ScopedSelect() { reset(); }
    ScopedSelect(ScopedSelect&& other) noexcept : dc_(other.dc_), displaced_(other.release()) {}
    ScopedSelect& operator=(ScopedSelect&&) = delete;
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

    // The object that was selected before.
    HGDIOBJ get() const noexcept { return displaced_; }
    HGDIOBJ release() noexcept { return std::exchange(displaced_, nullptr); }
    void reset() noexcept {
        if (HGDIOBJ displaced = release(); displaced && displaced != HGDI_ERROR) SelectObject(dc_, displaced);
    }

private:
    HDC dc_;
    HGDIOBJ displaced_;
};

}  // namespace kavelo::win32
