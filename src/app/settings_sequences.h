#pragma once
// Loading the settings while the gauge window is created, and saving them,
// with the logon entry, while it is destroyed. The window calls each at its
// place among its own creation and destruction steps.
#include <cstdint>
#include <string>

#include "core/gauge_state.h"
#include "core/stored_settings.h"
#include "platform/registry.h"

namespace kavelo {

// What the two sequences need of the gauge window.
class SettingsWindow {
public:
    virtual ~SettingsWindow() = default;
    virtual void SetTop(int32_t top) = 0;
    virtual void SetLeft(int32_t left) = 0;
    virtual int32_t Top() const = 0;
    virtual int32_t Left() const = 0;
    virtual void SetStayOnTopCheck(bool checked) = 0;  // check of Toujoursaudessus1
    virtual void Toujoursaudessus1Click() = 0;         // inverts the check and applies the style
    virtual bool IsStayOnTop() const = 0;              // the window has the stay-on-top style
    virtual void SetTrayOnlyCheck(bool checked) = 0;   // check of BarreTacheUnique
    virtual bool TrayOnlyChecked() const = 0;
};

// Where the settings and the logon entry live. Tests point these elsewhere.
struct SettingsKeys {
    std::string Store = "Kavelo";  // below HKEY_CURRENT_USER
    // The per-user list of programs run at logon, and the machine-wide one,
    // from which an entry is only ever removed.
    std::string UserRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    std::string MachineRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    std::string RunValue = "Kavelo";
};

// Empties the history, then reads every stored value in its load order (the
// stay-on-top style applied through Toujoursaudessus1Click). A value of the
// wrong type reads as its default, every other one as stored; the first such
// value throws SettingsError once everything is read.
void LoadSettings(Registry& registry, GaugeState& state, SettingsWindow& window,
                  const SettingsKeys& keys = {});

// Writes the history and every setting, then brings the per-user logon entry
// into line with AutoStart (the program's path, quoted). A write failure
// throws SettingsError and leaves the later values and the logon entry
// unwritten. Running it again writes the same again.
void SaveSettings(Registry& registry, const GaugeState& state, const SettingsWindow& window,
                  const std::string& programPath, const SettingsKeys& keys = {});

// A row's value in its stored form, whether the window or GaugeState holds
// it, and back (applying the stay-on-top style as the load does).
int32_t StoredValue(const StoredSetting& row, const GaugeState& state, const SettingsWindow& window);
void ApplyStoredValue(const StoredSetting& row, GaugeState& state, SettingsWindow& window, int32_t stored);

// The logon entry's text for a program path: the path in double quotes, so
// that a path with spaces can't start another program.
std::string RunCommand(const std::string& programPath);

}  // namespace kavelo
