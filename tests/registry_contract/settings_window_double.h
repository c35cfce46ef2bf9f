#pragma once
// The gauge window as the load and save sequences see it, logging the calls
// that change it.
#include <string>
#include <vector>

#include "app/settings_sequences.h"

namespace kavelo::contract {

class WindowDouble final : public SettingsWindow {
public:
    int32_t top = 777, left = 777;
    bool stayOnTopCheck = false, stayOnTop = false, trayOnly = false;
    std::vector<std::string> log;

    void SetTop(int32_t t) override { top = t, log.push_back("top " + std::to_string(t)); }
    void SetLeft(int32_t l) override { left = l, log.push_back("left " + std::to_string(l)); }
    int32_t Top() const override { return top; }
    int32_t Left() const override { return left; }
    void SetStayOnTopCheck(bool c) override { stayOnTopCheck = c, log.push_back(c ? "check on" : "check off"); }
    void Toujoursaudessus1Click() override {
        stayOnTopCheck = !stayOnTopCheck;
        stayOnTop = stayOnTopCheck;
        log.push_back("click");
    }
    bool IsStayOnTop() const override { return stayOnTop; }
    void SetTrayOnlyCheck(bool c) override { trayOnly = c, log.push_back(c ? "tray on" : "tray off"); }
    bool TrayOnlyChecked() const override { return trayOnly; }
};

}  // namespace kavelo::contract
