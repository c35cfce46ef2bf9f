#include "app/settings_sequences.h"

#include "app/settings_store.h"

namespace kavelo {

namespace {

bool MachineEntryExists(Registry& registry, const SettingsKeys& keys) {
    auto machineRun = registry.OpenKey(RegistryRoot::LocalMachine, keys.MachineRun, RegistryAccess::Read);
    return machineRun && machineRun->QueryValue(keys.RunValue).has_value();
}

void UpdateRunEntry(Registry& registry, bool autoStart, const std::string& programPath,
                    const SettingsKeys& keys) {
    // The per-user list needs no administrator. Opened, never created: no
    // list, no entry.
    if (auto run = registry.OpenKey(RegistryRoot::CurrentUser, keys.UserRun, RegistryAccess::ReadWrite)) {
        // An entry already there is left alone when wanted, whatever it names.
        if (run->QueryValue(keys.RunValue)) {
            if (!autoStart) run->DeleteValue(keys.RunValue);
        } else if (autoStart && !MachineEntryExists(registry, keys)) {
            // An older version's machine-wide entry starts the program
            // already; a second one would start a second gauge.
            run->SetString(keys.RunValue, RunCommand(programPath));
        }
    }
    // Older versions entered the program in the machine-wide list; turning
    // start at logon off must not leave it starting from there. Most users
    // may not write there: then it stays, unreported.
    if (!autoStart) {
        if (auto machineRun =
                registry.OpenKey(RegistryRoot::LocalMachine, keys.MachineRun, RegistryAccess::ReadWrite)) {
            if (machineRun->QueryValue(keys.RunValue)) machineRun->DeleteValue(keys.RunValue);
        }
    }
}

}  // namespace

std::string RunCommand(const std::string& programPath) { return "\"" + programPath + "\""; }

int32_t StoredValue(const StoredSetting& row, const GaugeState& state, const SettingsWindow& window) {
    switch (row.field.window) {
        case WindowPart::Top: return window.Top();
        case WindowPart::Left: return window.Left();
        case WindowPart::StayOnTop: return window.IsStayOnTop() ? 1 : 0;
        case WindowPart::TrayOnly: return window.TrayOnlyChecked() ? 1 : 0;
        case WindowPart::None: break;
    }
    return StoredValue(row, state);
}

void ApplyStoredValue(const StoredSetting& row, GaugeState& state, SettingsWindow& window, int32_t stored) {
    switch (row.field.window) {
        case WindowPart::Top: window.SetTop(stored); return;
        case WindowPart::Left: window.SetLeft(stored); return;
        case WindowPart::StayOnTop:
            // The menu command inverts the check, so it is preset to the opposite.
            window.SetStayOnTopCheck(stored == 0);
            window.Toujoursaudessus1Click();
            return;
        case WindowPart::TrayOnly: window.SetTrayOnlyCheck(stored != 0); return;
        case WindowPart::None: break;
    }
    SetStoredValue(row, state, stored);
}

void LoadSettings(Registry& registry, GaugeState& state, SettingsWindow& window, const SettingsKeys& keys) {
    state.History.Init();
    const SettingsStore store(registry, keys.Store);
    // A wrong-typed value reads as its default and the rest as stored: one
    // bad value must not cost the learned history, nor, at the next save,
    // every other setting and the user's choice about the logon entry.
    SettingsReader reader(store);
    // The rows by rising load step.
    for (const StoredSetting* last = nullptr;;) {
        const StoredSetting* next = nullptr;
        for (const StoredSetting& row : kStoredSettings)
            if ((!last || row.loadStep > last->loadStep) && (!next || row.loadStep < next->loadStep)) next = &row;
        if (!next) break;
        last = next;
        if (next->kind == StoredKind::Histories) {
            ReadHistory(reader, state.History);
            ReadChargeHistory(reader, state.ChargeHistory);
        } else {
            int32_t stored = reader.ReadInteger(next->section, next->name, next->def);
            // The window's creation ends with the display-mode toggle, which
            // inverts PercentMode once: it gets the flag as stored until then.
            if (next->kind == StoredKind::NegatedFlag) stored = stored == 0;
            ApplyStoredValue(*next, state, window, stored);
        }
    }
    if (reader.Failure()) throw *reader.Failure();
}

void SaveSettings(Registry& registry, const GaugeState& state, const SettingsWindow& window,
                  const std::string& programPath, const SettingsKeys& keys) {
    {
        SettingsStore store(registry, keys.Store);
        for (const StoredSetting& row : kStoredSettings) {
            if (row.kind == StoredKind::Histories) {
                WriteHistory(store, state.History);
                WriteChargeHistory(store, state.ChargeHistory);
            } else {
                store.WriteInteger(row.section, row.name, StoredValue(row, state, window));
            }
        }
    }  // the store key is closed before the logon entry is touched
    UpdateRunEntry(registry, state.AutoStart, programPath, keys);
}

}  // namespace kavelo
