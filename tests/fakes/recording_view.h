#pragma once
// A gauge view that records what the refresh cycle asks of it, and can
// stand in for the face painters' effect on the alert state.
#include <functional>
#include <string>
#include <vector>

#include "core/refresh_cycle.h"

namespace kavelo::fakes {

class RecordingView final : public GaugeView {
public:
    std::vector<std::string> calls;
    std::string caption;
    bool minimised = false;
    // Called by ShowPercent/DrawTimeFace, so tests can decide AlertOn as the
    // real painters would.
    std::function<void(int32_t)> onPaint;

    void ShowPercent(uint8_t p) override { Record("ShowPercent " + std::to_string(p), p); }
    void DrawTimeFace(int32_t s) override { Record("DrawTimeFace " + std::to_string(s), s); }
    void DrawBlackPhase() override { calls.push_back("DrawBlackPhase"); }
    void ShowLabel(const std::string& t) override { calls.push_back("ShowLabel " + t); }
    void ShowFace(const std::string& t) override { calls.push_back("ShowFace " + t); }
    bool IsMinimised() const override { return minimised; }
    void SetCaption(const std::string& c) override { caption = c; }
    void UpdateTrayTip() override {}
    void FormResize() override { calls.push_back("FormResize"); }
    void ShowChargeAlert(const std::string& title, const std::string& text) override {
        chargeAlerts.push_back(title + " / " + text);
    }
    std::vector<std::string> chargeAlerts;

    std::string Last() const { return calls.empty() ? "" : calls.back(); }
    // The last thing shown in place of the face: a painter or the label.
    std::string LastFace() const {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            for (const char* kind : {"ShowPercent", "DrawTimeFace", "DrawBlackPhase", "ShowLabel"})
                if (it->rfind(kind, 0) == 0) return *it;
        return "";
    }

private:
    void Record(std::string call, int32_t value) {
        calls.push_back(std::move(call));
        if (onPaint) onPaint(value);
    }
};

}  // namespace kavelo::fakes
