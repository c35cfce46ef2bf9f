#pragma once
// The gauge window, the application, the context menu and the colour
// chooser as the gauge logic sees them, recorded for native tests.
#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/color_dialog.h"
#include "platform/gauge_window.h"
#include "platform/popup_menu.h"
#include "render/pixel_buffer.h"

namespace kavelo::fakes {

class FakeGaugeWindow final : public GaugeWindowHost {
public:
    GaugeWindowEvents* events = nullptr;  // resize notifications go here, as WM_SIZE would
    int left = 0, top = 0, width = 108, height = 29, dpi = 96;
    bool visible = false, minimised = false, topmost = false, closed = false;
    std::string caption = "Kavelo";
    std::optional<PixelBuffer> picture;
    std::optional<std::string> label;
    int postedLeftUps = 0, repaints = 0, shows = 0, pictures = 0;

    int Dpi() const override { return dpi; }
    int Left() const override { return left; }
    int Top() const override { return top; }
    int Width() const override { return width; }
    int Height() const override { return height; }
    void SetLeft(int v) override { left = v; }
    void SetTop(int v) override { top = v; }
    void SetWidth(int v) override { Resize(v, height); }
    void SetHeight(int v) override { Resize(width, v); }
    WindowBounds Bounds() const { return {left, top, width, height}; }
    void SetBounds(const WindowBounds& b) override { left = b.left, top = b.top, Resize(b.width, b.height); }
    // One 800 x 600 screen whose work area ends above a 30-pixel taskbar.
    void KeepOnAMonitor() override {
        if (left + width > 0 && left < 800 && top + height > 0 && top < 600) return;
        left = std::max(0, std::min(left, 800 - width));
        top = std::max(0, std::min(top, 570 - height));
    }
    void Show() override {
        ++shows;
        visible = true;
    }
    void Hide() override { visible = false; }
    bool Visible() const override { return visible; }
    bool IsMinimised() const override { return minimised; }
    void SetTopmost(bool t) override { topmost = t; }
    bool IsTopmost() const override { return topmost; }
    void SetCaption(const std::string& c) override { caption = c; }
    void SetPicture(const PixelBuffer& p) override {
        picture = p;
        ++pictures;
    }
    void ShowLabel(const std::string& text) override { label = text; }
    void HideLabel() override { label.reset(); }
    void Repaint() override { ++repaints; }
    void PostLeftButtonUp() override { ++postedLeftUps; }
    void Close() override { closed = true; }

private:
    void Resize(int w, int h) {
        if (w == width && h == height) return;
        width = w;
        height = h;
        if (events) events->OnResize();
    }
};

class FakeApplication final : public Application {
public:
    std::string title = "Kavelo", hint;
    bool showHint = false, taskbarEntry = true;
    int processed = 0;
    std::function<void()> onProcessMessages;
    std::vector<std::string> information, errors;

    void SetTitle(const std::string& t) override { title = t; }
    std::string Title() const override { return title; }
    void SetHint(const std::string& h) override { hint = h; }
    void SetShowHint(bool s) override { showHint = s; }
    void HideTaskbarEntry() override { taskbarEntry = false; }
    void RestoreTaskbarEntry() override { taskbarEntry = true; }
    void ProcessMessages() override {
        ++processed;
        if (onProcessMessages) onProcessMessages();
    }
    void ShowInformation(const std::string& text) override { information.push_back(text); }
    void ShowError(const std::string& message) override { errors.push_back(message); }
};

class FakePopupMenu final : public PopupMenuHost {
public:
    struct Opened {
        std::vector<MenuItem> items;
        int x, y;
    };
    std::vector<Opened> opened;
    std::deque<int> choices;  // what the user picks, in turn; 0 when empty

    int TrackPopup(const std::vector<MenuItem>& items, int x, int y) override {
        opened.push_back({items, x, y});
        if (choices.empty()) return 0;
        const int c = choices.front();
        choices.pop_front();
        return c;
    }
};

class FakeColorDialog final : public ColorDialog {
public:
    std::vector<uint32_t> presets;
    std::optional<uint32_t> answer;  // nullopt: the user cancels

    bool Execute(uint32_t& colour) override {
        presets.push_back(colour);
        if (!answer) return false;
        colour = *answer;
        return true;
    }
};

}  // namespace kavelo::fakes
