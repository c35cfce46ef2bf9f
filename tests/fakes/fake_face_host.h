#pragma once
// The gauge window as the faces see it: records what they ask, in order.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "render/gauge_face.h"

namespace kavelo::fakes {

class FakeFaceHost final : public FaceHost {
public:
    std::vector<std::string> log;  // "process", "changed", "tray"; kept while `logging`
    bool logging = true;
    int trays = 0;
    PixelBuffer left, right;           // the last tray pictures handed over
    std::function<void()> onProcess;  // runs inside ProcessMessages
    void ProcessMessages() override {
        Note("process");
        if (onProcess) onProcess();
    }
    void FaceChanged() override { Note("changed"); }
    void SetTrayImages(const PixelBuffer& l, const PixelBuffer& r) override { Note("tray"), ++trays, left = l, right = r; }
    int Count(const std::string& what) const { return static_cast<int>(std::count(log.begin(), log.end(), what)); }
    void Note(const char* what) {
        if (logging) log.push_back(what);
    }
};

}  // namespace kavelo::fakes
