#pragma once
// A notification area, hidden windows, timers, an image list and an error
// box for native tests of the tray icon component.
#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/error_box.h"
#include "platform/image_list.h"
#include "platform/notify_shell.h"

namespace kavelo::fakes {

struct ShellCall {
    enum Kind { Add, Modify, Delete };
    Kind kind;
    NotifyIconData data;
    std::string Tip() const { return std::string(data.szTip); }
};

class FakeShell final : public NotifyShell {
public:
    static constexpr std::uint32_t kTaskbarCreated = 0xC0DE;
    static constexpr std::intptr_t kDefaultResult = 12345;

    class Window final : public HiddenWindow {
    public:
        Window(FakeShell& shell, WindowId id, WindowProc proc) : shell_(shell), id_(id), proc_(std::move(proc)) {}
        ~Window() override { shell_.Forget(this); }
        WindowId Id() const override { return id_; }
        std::intptr_t DefaultProc(std::uint32_t msg, std::uintptr_t, std::intptr_t) override {
            defaulted.push_back(msg);
            return kDefaultResult;
        }
        std::intptr_t Send(std::uint32_t msg, std::uintptr_t wp, std::intptr_t lp) { return proc_(msg, wp, lp); }
        std::vector<std::uint32_t> defaulted;  // messages handed to DefaultProc

    private:
        FakeShell& shell_;
        WindowId id_;
        WindowProc proc_;
    };

    class Timer final : public IntervalTimer {
    public:
        Timer(FakeShell& shell, std::int32_t interval, std::function<void()> onTick)
            : shell_(shell), interval_(interval), onTick_(std::move(onTick)) {}
        ~Timer() override { shell_.Forget(this); }
        bool Enabled() const override { return enabled_; }
        void SetEnabled(bool e) override { enabled_ = e; }
        std::int32_t Interval() const override { return interval_; }
        void SetInterval(std::int32_t ms) override { interval_ = ms; }
        bool Running() const { return enabled_ && interval_ > 0; }
        // One period elapses: ticks only if running.
        void Elapse() {
            if (Running()) onTick_();
        }

    private:
        FakeShell& shell_;
        bool enabled_ = false;
        std::int32_t interval_;
        std::function<void()> onTick_;
    };

    std::vector<ShellCall> calls;
    // The icons the notification area holds now, by (window, id).
    std::map<std::pair<WindowId, std::uint32_t>, NotifyIconData> area;
    ScreenPoint cursor;
    int cursorReads = 0;
    int iconSize = 16;
    std::vector<Window*> windows;
    std::vector<Timer*> timers;
    // Balloons shown: "id: title / text"; where the shell says icons stand.
    std::vector<std::string> balloons;
    std::map<std::uint32_t, ScreenRect> places;  // by id; missing = unknown

    bool Add(const NotifyIconData& d) override {
        calls.push_back({ShellCall::Add, d});
        return area.emplace(Key(d), d).second;
    }
    void Modify(const NotifyIconData& d) override {
        calls.push_back({ShellCall::Modify, d});
        auto it = area.find(Key(d));
        if (it != area.end()) it->second = d;
    }
    void Delete(const NotifyIconData& d) override {
        calls.push_back({ShellCall::Delete, d});
        area.erase(Key(d));
    }
    ScreenPoint CursorPos() override {
        ++cursorReads;
        return cursor;
    }
    std::unique_ptr<HiddenWindow> CreateHiddenWindow(WindowProc proc) override {
        auto w = std::make_unique<Window>(*this, nextWindow_++, std::move(proc));
        windows.push_back(w.get());
        return w;
    }
    std::unique_ptr<IntervalTimer> CreateTimer(std::int32_t interval, std::function<void()> onTick) override {
        auto t = std::make_unique<Timer>(*this, interval, std::move(onTick));
        timers.push_back(t.get());
        return t;
    }
    std::uint32_t TaskbarCreatedMessage() override { return kTaskbarCreated; }
    int IconSize() override { return iconSize; }
    bool IsColourSetChange(std::intptr_t l) override { return l && std::string(reinterpret_cast<const char*>(l)) == "ImmersiveColorSet"; }
    void ShowBalloon(WindowId, std::uint32_t uID, const std::string& title, const std::string& text) override {
        balloons.push_back(std::to_string(uID) + ": " + title + " / " + text);
    }
    std::optional<ScreenRect> IconRect(WindowId, std::uint32_t uID) override {
        auto it = places.find(uID);
        return it == places.end() ? std::nullopt : std::optional<ScreenRect>(it->second);
    }

    Window& WindowOf(WindowId id) {
        for (Window* w : windows)
            if (w->Id() == id) return *w;
        throw std::runtime_error("no such window");
    }
    std::intptr_t Send(WindowId id, std::uint32_t msg, std::uintptr_t wp, std::intptr_t lp) {
        return WindowOf(id).Send(msg, wp, lp);
    }
    std::intptr_t Callback(WindowId id, std::intptr_t mouseMessage) {
        return Send(id, TrayCallbackMessage, 1, mouseMessage);
    }
    // The taskbar is made anew (Explorer restarted): the area is empty and
    // every top-level window hears of it.
    void RestartTaskbar() {
        area.clear();
        BroadcastTaskbarCreated();
    }
    void BroadcastTaskbarCreated() {
        const std::vector<Window*> all = windows;
        for (Window* w : all) w->Send(kTaskbarCreated, 0, 0);
    }
    int Count(ShellCall::Kind kind) const {
        return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const ShellCall& c) { return c.kind == kind; }));
    }

private:
    static std::pair<WindowId, std::uint32_t> Key(const NotifyIconData& d) { return {d.hWnd, d.uID}; }
    void Forget(Window* w) { windows.erase(std::remove(windows.begin(), windows.end(), w), windows.end()); }
    void Forget(Timer* t) { timers.erase(std::remove(timers.begin(), timers.end(), t), timers.end()); }
    WindowId nextWindow_ = 0x100;
};

// Images are told apart by their first pixel; every icon taken out gets a
// new handle, and the list remembers which image it came from and whether
// it has been destroyed.
class FakeImageList final : public ImageList {
public:
    int size = kSize;
    std::vector<std::vector<std::uint32_t>> images;
    std::map<IconId, int> extracted;  // handle -> image index
    std::set<IconId> destroyed;

    int Size() const override { return size; }
    void SetSize(int s) override {
        if (s != size) images.clear();
        size = s;
    }
    void Clear() override { images.clear(); }
    int Count() const override { return static_cast<int>(images.size()); }
    int Add(const std::uint32_t* pixels) override {
        images.emplace_back(pixels, pixels + size * size);
        return Count() - 1;
    }
    const std::uint32_t* Pixels(int index) const override {
        return index >= 0 && index < Count() ? images[index].data() : nullptr;
    }
    void AddPlain(std::uint32_t colour) { Add(std::vector<std::uint32_t>(size * size, colour).data()); }
    void GetIcon(int index, OwnedIcon& icon) override {
        if (index < 0 || index >= Count()) {
            icon.Reset();
            return;
        }
        const IconId id = nextIcon_++;
        extracted[id] = index;
        icon.Reset(id, [this](IconId h) { destroyed.insert(h); });
    }
    // The image an icon handle was taken from, -1 for none or unknown.
    int ImageOf(IconId id) const {
        auto it = extracted.find(id);
        return it == extracted.end() ? -1 : it->second;
    }
    int LiveIcons() const { return static_cast<int>(extracted.size() - destroyed.size()); }

private:
    IconId nextIcon_ = 0x5000;
};

class FakeErrorBox final : public ErrorBox {
public:
    std::vector<std::string> shown;
    void ShowError(const std::string& message) override { shown.push_back(message); }
};

}  // namespace kavelo::fakes
