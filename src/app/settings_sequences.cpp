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

void LoadSettings(Registry& registry, GaugeState& state, SettingsWindow& window, const SettingsKeys& keys) {
    state.History.Init();
    const SettingsStore store(registry, keys.Store);
    // A wrong-typed value reads as its default and the rest as stored: one
    // bad value must not cost the learned history, nor, at the next save,
    // every other setting and the user's choice about the logon entry.
    SettingsReader reader(store);

    window.SetTop(reader.ReadInteger("Position", "Top", 0));
    window.SetLeft(reader.ReadInteger("Position", "Left", 0));
    state.HistoryLength = reader.ReadInteger("", "DureeHisto", 5);
    // The stored flag says whether the time is shown; the gauge window's
    // display-mode toggle inverts PercentMode once at the end of its creation.
    state.PercentMode = reader.ReadFlag("", "AfficheTemps", true);
    ReadHistory(reader, state.History);
    ReadChargeHistory(reader, state.ChargeHistory);

    // The menu command inverts the check, so it is preset to the opposite.
    window.SetStayOnTopCheck(!reader.ReadFlag("Position", "Dessus", true));
    window.Toujoursaudessus1Click();
    window.SetTrayOnlyCheck(reader.ReadFlag("Position", "Tray", true));

    state.NormalColor = static_cast<Colour>(reader.ReadInteger("Couleur", "Normale", 65280));
    state.AlertColor = static_cast<Colour>(reader.ReadInteger("Couleur", "Alerte", 255));
    state.TrayColor = static_cast<Colour>(reader.ReadInteger("Couleur", "Tray", 255));
    state.TrayPlugedColor = static_cast<Colour>(reader.ReadInteger("Couleur", "TrayPluged", 255));
    state.TrayShadowColor = static_cast<Colour>(reader.ReadInteger("Couleur", "TrayShadow", 8421504));

    state.AlertPercent = reader.ReadInteger("", "SeuilAlertePourcent", 10);
    state.AlertMinutes = reader.ReadInteger("", "SeuilAlerteTemps", 10);
    state.AutoStart = reader.ReadFlag("", "AutoStart", true);
    state.ChargeAlert = reader.ReadFlag("", "AlerteCharge", false);
    state.ChargeAlertPercent = reader.ReadInteger("", "SeuilAlerteCharge", 80);
    if (reader.Failure()) throw *reader.Failure();
}

void SaveSettings(Registry& registry, const GaugeState& state, const SettingsWindow& window,
                  const std::string& programPath, const SettingsKeys& keys) {
    {
        SettingsStore store(registry, keys.Store);
        WriteHistory(store, state.History);
        WriteChargeHistory(store, state.ChargeHistory);

        store.WriteInteger("Position", "Top", window.Top());
        store.WriteInteger("Position", "Left", window.Left());
        store.WriteFlag("Position", "Dessus", window.IsStayOnTop());
        store.WriteFlag("Position", "Tray", window.TrayOnlyChecked());

        store.WriteInteger("", "DureeHisto", state.HistoryLength);
        store.WriteFlag("", "AfficheTemps", !state.PercentMode);
        store.WriteFlag("", "AutoStart", state.AutoStart);

        store.WriteInteger("Couleur", "Normale", static_cast<int32_t>(state.NormalColor));
        store.WriteInteger("Couleur", "TrayShadow", static_cast<int32_t>(state.TrayShadowColor));
        store.WriteInteger("Couleur", "Tray", static_cast<int32_t>(state.TrayColor));
        store.WriteInteger("Couleur", "TrayPluged", static_cast<int32_t>(state.TrayPlugedColor));
        store.WriteInteger("Couleur", "Alerte", static_cast<int32_t>(state.AlertColor));

        store.WriteInteger("", "SeuilAlerteTemps", state.AlertMinutes);
        store.WriteInteger("", "SeuilAlertePourcent", state.AlertPercent);
        store.WriteFlag("", "AlerteCharge", state.ChargeAlert);
        store.WriteInteger("", "SeuilAlerteCharge", state.ChargeAlertPercent);
    }  // the store key is closed before the logon entry is touched
    UpdateRunEntry(registry, state.AutoStart, programPath, keys);
}

}  // namespace kavelo
