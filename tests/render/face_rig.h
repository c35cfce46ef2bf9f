#pragma once
// A GaugeFace wired to fakes, with the glyphs loaded from the embedded
// bitmaps, for the render tests.
#include <functional>
#include <string>
#include <vector>

#include "fakes/core_fakes.h"
#include "render/gauge_face.h"

namespace kavelo::testing {

// Records what the face asks of its window, in order.
class FakeFaceHost final : public FaceHost {
public:
    std::vector<std::string> log;  // "process", "changed", "tray", "tip"
    std::vector<PixelBuffer> lefts, rights;
    std::function<void()> onProcess;  // runs inside ProcessMessages
    void ProcessMessages() override {
        log.push_back("process");
        if (onProcess) onProcess();
    }
    void FaceChanged() override { log.push_back("changed"); }
    void SetTrayImages(const PixelBuffer& l, const PixelBuffer& r) override {
        log.push_back("tray");
        lefts.push_back(l);
        rights.push_back(r);
    }
    void UpdateTrayTip() override { log.push_back("tip"); }
    int Count(const std::string& what) const {
        int n = 0;
        for (const auto& e : log) n += e == what;
        return n;
    }
};

// The alert's message box; `onShow` runs when it opens.
class HookedMessages final : public AlertMessageSink {
public:
    std::vector<std::string> shown;
    std::function<void()> onShow;
    void ShowAlertMessage(const std::string& text) override {
        shown.push_back(text);
        if (onShow) onShow();
    }
};

struct FaceRig {
    GaugeState state;
    fakes::FakePower power;
    fakes::FakeTimer timer;
    FakeFaceHost host;
    HookedMessages messages;
    LowBatteryAlert alert{state, power, messages};
    GaugeFace face{state, timer, power, alert, host};

    FaceRig() {
        face.LoadGlyphStrips(EmbeddedGlyphSource());
        power.Battery(57);
    }
};

}  // namespace kavelo::testing
