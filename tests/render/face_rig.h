#pragma once
// A GaugeFace wired to fakes, with the glyphs loaded from the embedded
// bitmaps, for the render tests.
#include <functional>
#include <string>
#include <vector>

#include "fakes/core_fakes.h"
#include "fakes/fake_face_host.h"
#include "render/gauge_face.h"

namespace kavelo::testing {

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
    fakes::FakeTimer timer;
    fakes::FakeFaceHost host;
    HookedMessages messages;
    LowBatteryAlert alert{state, messages};
    GaugeFace face{state, timer, alert, host};

    FaceRig() {
        face.LoadGlyphStrips(EmbeddedGlyphSource());
        state.Power = {0, 57};
    }
};

}  // namespace kavelo::testing
