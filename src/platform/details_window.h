#pragma once
// The "Battery details" window as its logic sees it, and what the window
// reports back. The window exists only while it is open.
#include <memory>
#include <string>
#include <vector>

namespace kavelo {

class PixelBuffer;

// The charge graph's choice of span.
enum class GraphSpan { Day, Week };

class DetailsWindowEvents {
public:
    virtual ~DetailsWindowEvents() = default;
    // Every few seconds while the window is open.
    virtual void OnDetailsTick() = 0;
    virtual void OnDetailsCopy() = 0;
    // Escape, "Close" or the close box. The last call of the window: the
    // handler may destroy it.
    virtual void OnDetailsClosed() = 0;
    // The span chosen, or the graph area's size changed (a new DPI): the
    // graph is to be drawn again.
    virtual void OnGraphSpan(GraphSpan span) = 0;
    virtual void OnOpenLogFolder() = 0;
};

class DetailsWindow {
public:
    // Destroys the window.
    virtual ~DetailsWindow() = default;
    // One value per label, in the labels' order.
    virtual void SetValues(const std::vector<std::string>& values) = 0;
    virtual void BringToFront() = 0;
    // Plain text on the clipboard.
    virtual void PutOnClipboard(const std::string& text) = 0;
    // The graph area in pixels at the window's DPI.
    struct Area {
        int width = 0, height = 0, dpi = 96;
    };
    virtual Area GraphArea() const = 0;
    // The picture (the graph area's size) and its one-line summary, which a
    // screen reader reads for it.
    virtual void SetGraph(const PixelBuffer& picture, const std::string& summary) = 0;
    // The span choice and "Open log folder" (off while there is no graph).
    virtual void EnableGraph(bool enabled) = 0;
};

class DetailsWindows {
public:
    virtual ~DetailsWindows() = default;
    // Creates and shows the window, one label per figure, on the monitor
    // the pointer is on.
    virtual std::unique_ptr<DetailsWindow> Open(DetailsWindowEvents& events,
                                                const std::vector<std::string>& labels) = 0;
};

}  // namespace kavelo
