#pragma once
// A GaugeFace wired to fakes, with the glyphs loaded from the embedded
// bitmaps, for the render tests and the painting benchmark.
#include "fakes/core_fakes.h"
#include "fakes/fake_face_host.h"
#include "render/gauge_face.h"

namespace kavelo::testing {

struct FaceRig {
    GaugeState state;
    fakes::FakeTimer timer;
    fakes::FakeFaceHost host;
    fakes::FakeMessages messages;
    LowBatteryAlert alert{state, messages};
    GaugeFace face{state, timer, alert, host};

    FaceRig() {
        face.LoadGlyphStrips(EmbeddedGlyphSource());
        state.Power = {0, 57};
    }
};

}  // namespace kavelo::testing
