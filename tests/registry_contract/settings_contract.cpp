#include <functional>
#include <limits>

#include "app/settings_sequences.h"
#include "app/settings_store.h"
#include "registry_contract/registry_contract.h"
#include "registry_contract/settings_window_double.h"

namespace kavelo::contract {

namespace {


SettingsKeys TestKeys() {
    SettingsKeys k;
    k.Store = kScratchUser + "\\Kavelo";
    k.UserRun = kScratchUser + "\\Run";
    k.MachineRun = kScratchMachine + "\\Run";
    return k;
}
const SettingsKeys kKeys = TestKeys();
const std::string kStore = kKeys.Store;
const std::string kTemps = kStore + "\\Moyenne\\Temps";
const std::string kConso = kStore + "\\Moyenne\\Conso";
const std::string kPath = "C:\\Program Files\\Kavelo\\Kavelo.exe";

TDischargeHistory HistoryOf(int count) {
    TDischargeHistory h;
    h.Init();
    for (int i = 0; i < count; ++i) h.Samples[i] = Sample{60000 + i * 1000, 1 + i % 3};
    return h;
}

std::vector<std::pair<int32_t, int32_t>> Entries(const TDischargeHistory& h) {
    std::vector<std::pair<int32_t, int32_t>> all;
    for (const Sample& s : h.Samples) all.emplace_back(s.Temps, s.Conso);
    return all;
}

}  // namespace

std::string SettingsContract::Stored(const std::string& section, const std::string& name) {
    return Text(kUser, section.empty() ? kStore : kStore + "\\" + section, name);
}

void SettingsContract::Put(const std::string& section, const std::string& name, const std::string& text) {
    PlantString(kUser, section.empty() ? kStore : kStore + "\\" + section, name, text);
}

int32_t SettingsContract::ReadBack(const std::string& text, int32_t def) {
    Put("", "Value", text);
    return SettingsStore(reg(), kStore).ReadInteger("", "Value", def);
}

namespace {

TEST_P(SettingsContract, FirstRunReadsTheDefaultsAndCreatesTheStoreKey) {
    GaugeState s;
    s.History.AddSample(1000, 1);
    WindowDouble w;
    LoadSettings(reg(), s, w, kKeys);

    EXPECT_TRUE(KeyExists(kUser, kStore));
    EXPECT_EQ(w.log, (std::vector<std::string>{"top 0", "left 0", "check off", "click", "tray on"}));
    EXPECT_TRUE(w.stayOnTop);
    EXPECT_TRUE(s.PercentMode);  // raw "show the time"; the window's toggle inverts it
    EXPECT_EQ(s.History.Count(), 0);
    EXPECT_EQ(s.HistoryLength, 5);
    EXPECT_EQ(s.NormalColor, 0x00FF00u);
    EXPECT_EQ(s.AlertColor, 0x0000FFu);
    EXPECT_EQ(s.TrayColor, 0x0000FFu);
    EXPECT_EQ(s.TrayPlugedColor, 0x0000FFu);
    EXPECT_EQ(s.TrayShadowColor, 0x808080u);
    EXPECT_EQ(s.AlertPercent, 10);
    EXPECT_EQ(s.AlertMinutes, 10);
    EXPECT_TRUE(s.AutoStart);
}

TEST_P(SettingsContract, EverySettingSurvivesARestart) {
    for (const bool flag : {false, true}) {
        GaugeState s;
        s.PercentMode = flag;
        s.AutoStart = flag;
        s.HistoryLength = 30;
        s.AlertPercent = -3;
        s.AlertMinutes = std::numeric_limits<int32_t>::max();
        s.NormalColor = 0x00ABCDEF;
        s.AlertColor = 1;
        s.TrayColor = 0x00C0C0C0;
        s.TrayPlugedColor = 0x00808000;
        s.TrayShadowColor = 0;
        s.History = HistoryOf(7);
        WindowDouble w;
        w.top = -20;
        w.left = 1900;
        w.stayOnTop = flag;
        w.trayOnly = !flag;
        SaveSettings(reg(), s, w, kPath, kKeys);

        auto couleur = reg().OpenKey(kUser, kStore + "\\Couleur", RegistryAccess::Read);
        ASSERT_NE(couleur, nullptr);
        const auto normale = couleur->QueryValue("Normale");
        ASSERT_TRUE(normale);
        EXPECT_EQ(normale->Type, RegistryValueType::String);
        EXPECT_EQ(normale->Data, (std::vector<uint8_t>{'1', '1', '2', '5', '9', '3', '7', '5', 0}));
        EXPECT_EQ(Stored("Position", "Top"), "-20");
        EXPECT_EQ(Stored("Position", "Dessus"), flag ? "1" : "0");
        EXPECT_EQ(Stored("", "AfficheTemps"), flag ? "0" : "1");

        GaugeState r;
        WindowDouble rw;
        LoadSettings(reg(), r, rw, kKeys);
        EXPECT_EQ(rw.top, -20);
        EXPECT_EQ(rw.left, 1900);
        EXPECT_EQ(rw.stayOnTop, flag);
        EXPECT_EQ(rw.stayOnTopCheck, flag);
        EXPECT_EQ(rw.trayOnly, !flag);
        EXPECT_EQ(r.PercentMode, !flag);  // stored as "show the time"
        EXPECT_EQ(r.AutoStart, flag);
        EXPECT_EQ(r.HistoryLength, 30);
        EXPECT_EQ(r.AlertPercent, -3);
        EXPECT_EQ(r.AlertMinutes, std::numeric_limits<int32_t>::max());
        EXPECT_EQ(r.NormalColor, 0x00ABCDEFu);
        EXPECT_EQ(r.AlertColor, 1u);
        EXPECT_EQ(r.TrayColor, 0x00C0C0C0u);
        EXPECT_EQ(r.TrayPlugedColor, 0x00808000u);
        EXPECT_EQ(r.TrayShadowColor, 0u);
        EXPECT_EQ(Entries(r.History), Entries(s.History));
    }
}

TEST_P(SettingsContract, HistoriesOfEveryLengthSurviveARestart) {
    for (const int count : {101, 1, 37, 0}) {  // each save replaces a longer history
        SCOPED_TRACE(count);
        GaugeState s;
        s.History = HistoryOf(count);
        for (int b = 0; b < TChargeHistory::kBands; b += 3)  // and a charge history beside it
            for (int n = 0; n < std::min(count, TChargeHistory::kPerBand); ++n) s.ChargeHistory.Bands[b][n] = {1000 * b + n, 1 + n % 2};
        SaveSettings(reg(), s, WindowDouble{}, kPath, kKeys);

        EXPECT_EQ(KeyExists(kUser, kStore + "\\Moyenne"), count > 0);
        EXPECT_EQ(KeyExists(kUser, kStore + "\\Recharge"), count > 0);
        if (count > 0) {
            const std::string last = std::to_string(count - 1);
            EXPECT_EQ(Text(kUser, kTemps, last), std::to_string(60000 + (count - 1) * 1000));
            EXPECT_EQ(Text(kUser, kConso, last), std::to_string(1 + (count - 1) % 3));
        }
        EXPECT_EQ(Text(kUser, kTemps, std::to_string(count)), "<missing>");
        EXPECT_EQ(Text(kUser, kConso, std::to_string(count)), "<missing>");

        GaugeState r;
        WindowDouble w;
        LoadSettings(reg(), r, w, kKeys);
        EXPECT_EQ(r.History.Count(), count);
        EXPECT_EQ(Entries(r.History), Entries(s.History));
        EXPECT_EQ(r.ChargeHistory.Bands, s.ChargeHistory.Bands);
    }
}

TEST_P(SettingsContract, StoredHistoryEndsAtTheFirstMissingTemps) {
    auto put = [&](const std::string& path, int n, const std::string& text) {
        PlantString(kUser, path, std::to_string(n), text);
    };
    auto loadAndSave = [&] {
        GaugeState s;
        WindowDouble w;
        LoadSettings(reg(), s, w, kKeys);
        SaveSettings(reg(), s, w, kPath, kKeys);
        return s.History;
    };

    for (int n : {0, 1, 2, 4}) put(kTemps, n, "1000"), put(kConso, n, "2");
    EXPECT_EQ(loadAndSave().Count(), 3);            // the gap at 3 ends it...
    EXPECT_EQ(Text(kUser, kTemps, "4"), "<missing>");  // ...and the rest goes at the save

    reg().DeleteKeyTree(kUser, kStore + "\\Moyenne");
    put(kTemps, 0, "500"), put(kTemps, 1, "-7"), put(kTemps, 2, "-1"), put(kTemps, 3, "9");
    put(kConso, 0, "1"), put(kConso, 2, "4");
    const auto entries = Entries(loadAndSave());
    // A missing Conso reads as -1 and its entry stays; only a Temps of -1 ends
    // the history, its entry keeping what was read for it.
    EXPECT_EQ(entries[0], std::pair(500, 1));
    EXPECT_EQ(entries[1], std::pair(-7, -1));
    EXPECT_EQ(entries[2], std::pair(-1, 4));
    EXPECT_EQ(entries[3], std::pair(-1, -1));
    EXPECT_EQ(Text(kUser, kTemps, "1"), "-7");
    EXPECT_EQ(Text(kUser, kConso, "1"), "-1");
    EXPECT_EQ(Text(kUser, kTemps, "2"), "<missing>");
}

TEST_P(SettingsContract, TextsThatAreNotIntegersReadAsTheDefault) {
    for (const char* text : {"", "abc", "12abc", " 5", "5 ", "0x10", "$10", "-", "+", "1e3", "2147483648",
                             "-2147483649", "99999999999999999999"})
        EXPECT_EQ(ReadBack(text, 42), 42) << '"' << text << '"';
    EXPECT_EQ(ReadBack("-2147483648", 0), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ReadBack("2147483647", 0), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ReadBack("-5", 0), -5);
    EXPECT_EQ(ReadBack("+7", 0), 7);
    EXPECT_EQ(ReadBack("007", 0), 7);

    SettingsStore store(reg(), kStore);
    harness().Plant(kUser, kStore, "Empty", RegistryValueType::String, {});
    EXPECT_EQ(store.ReadInteger("", "Empty", 42), 42);
    harness().Plant(kUser, kStore, "Tail", RegistryValueType::String, {'1', '2', 0, '3', '4', 0});
    EXPECT_EQ(store.ReadInteger("", "Tail", 42), 12);
    harness().Plant(kUser, kStore, "Expand", RegistryValueType::ExpandString, {'4', '3', 0});
    EXPECT_EQ(store.ReadInteger("", "Expand", 42), 43);
    EXPECT_EQ(store.ReadInteger("Nowhere", "Top", 42), 42);

    for (const auto& [text, def, expected] : {std::tuple{"2", false, true}, {"-1", false, true},
                                              {"0", true, false}, {"oui", true, true}, {"oui", false, false}}) {
        Put("", "Flag", text);
        EXPECT_EQ(store.ReadFlag("", "Flag", def), expected) << text;
    }
}

TEST_P(SettingsContract, AValueOfAnotherTypeFailsTheRead) {
    SettingsStore store(reg(), kStore);
    PlantDword(kUser, kStore + "\\Position", "Dessus", 1);
    try {
        store.ReadFlag("Position", "Dessus", true);
        ADD_FAILURE() << "no error";
    } catch (const SettingsError& e) {
        EXPECT_STREQ(e.what(), "Type de données incorrect pour 'Dessus'");
    }
    harness().Plant(kUser, kStore, "Blob", RegistryValueType::Other, {1});
    EXPECT_THROW(store.ReadInteger("", "Blob", 0), SettingsError);
}

// A wrong-typed value at each place in turn fails the load: it alone at its default, the rest as stored.
TEST_P(SettingsContract, AWrongTypeCostsOnlyItsOwnValue) {
    struct Step {
        const char* section;
        const char* name;
        const char* text;
        std::function<int64_t(const GaugeState&, const WindowDouble&)> get;
        int64_t loaded;
    };
    const std::vector<Step> steps = {
        {"Position", "Top", "-5", [](auto&, auto& w) { return w.top; }, -5},
        {"Position", "Left", "33", [](auto&, auto& w) { return w.left; }, 33},
        {"", "DureeHisto", "17", [](auto& s, auto&) { return s.HistoryLength; }, 17},
        {"", "AfficheTemps", "1", [](auto& s, auto&) { return s.PercentMode; }, 1},
        {"Moyenne\\Temps", "0", "4242", [](auto& s, auto&) { return s.History.Samples[0].Temps; }, 4242},
        {"Moyenne\\Conso", "0", "3", [](auto& s, auto&) { return s.History.Samples[0].Conso; }, 3},
        {"Position", "Dessus", "0", [](auto&, auto& w) { return w.stayOnTop; }, 0},
        {"Position", "Tray", "0", [](auto&, auto& w) { return w.trayOnly; }, 0},
        {"Couleur", "Normale", "1", [](auto& s, auto&) { return s.NormalColor; }, 1},
        {"Couleur", "Alerte", "2", [](auto& s, auto&) { return s.AlertColor; }, 2},
        {"Couleur", "Tray", "3", [](auto& s, auto&) { return s.TrayColor; }, 3},
        {"Couleur", "TrayPluged", "4", [](auto& s, auto&) { return s.TrayPlugedColor; }, 4},
        {"Couleur", "TrayShadow", "5", [](auto& s, auto&) { return s.TrayShadowColor; }, 5},
        {"", "SeuilAlertePourcent", "20", [](auto& s, auto&) { return s.AlertPercent; }, 20},
        {"", "SeuilAlerteTemps", "30", [](auto& s, auto&) { return s.AlertMinutes; }, 30},
        {"", "AutoStart", "0", [](auto& s, auto&) { return s.AutoStart; }, 0},
        {"", "AlerteCharge", "1", [](auto& s, auto&) { return s.ChargeAlert; }, 1},
        {"", "SeuilAlerteCharge", "95", [](auto& s, auto&) { return s.ChargeAlertPercent; }, 95},
    };
    GaugeState defaults;
    defaults.PercentMode = true;  // raw "show the time"
    WindowDouble defaultWindow;
    defaultWindow.top = defaultWindow.left = 0;
    defaultWindow.stayOnTop = defaultWindow.stayOnTopCheck = defaultWindow.trayOnly = true;

    for (size_t bad = 0; bad < steps.size(); ++bad) {
        SCOPED_TRACE(steps[bad].name);
        for (const Step& step : steps) Put(step.section, step.name, step.text);
        const std::string section = steps[bad].section;
        PlantDword(kUser, section.empty() ? kStore : kStore + "\\" + section, steps[bad].name, 1);

        GaugeState s;
        WindowDouble w;
        try {
            LoadSettings(reg(), s, w, kKeys);
            ADD_FAILURE() << "no error";
        } catch (const SettingsError& e) {
            EXPECT_EQ(e.what(), "Type de données incorrect pour '" + std::string(steps[bad].name) + "'");
        }
        for (size_t i = 0; i < steps.size(); ++i)
            EXPECT_EQ(steps[i].get(s, w), i != bad ? steps[i].loaded : steps[i].get(defaults, defaultWindow))
                << steps[i].name;
    }
}

TEST_P(SettingsContract, TheLogonEntryFollowsAutoStart) {
    const std::string& run = kKeys.UserRun;
    const std::string& machineRun = kKeys.MachineRun;
    auto save = [&](bool autoStart) {
        GaugeState s;
        s.AutoStart = autoStart;
        SaveSettings(reg(), s, WindowDouble{}, kPath, kKeys);
    };

    // No list to enter the program in: none is made.
    save(true);
    EXPECT_FALSE(KeyExists(kUser, run));

    ASSERT_NE(reg().CreateKey(kUser, run), nullptr);
    save(true);  // missing and wanted: written, quoted
    const auto written = reg().OpenKey(kUser, run, RegistryAccess::Read)->QueryValue("Kavelo");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Type, RegistryValueType::String);
    EXPECT_EQ(Text(kUser, run, "Kavelo"), "\"C:\\Program Files\\Kavelo\\Kavelo.exe\"");

    PlantString(kUser, run, "Kavelo", "D:\\Elsewhere\\Kavelo.exe");
    save(true);  // present and wanted: left alone, whatever it names
    EXPECT_EQ(Text(kUser, run, "Kavelo"), "D:\\Elsewhere\\Kavelo.exe");

    PlantString(kMachine, machineRun, "Kavelo", "C:\\Old\\Kavelo.exe");
    PlantString(kUser, run, "Other", "other.exe");
    save(false);  // present and not wanted: gone here and machine-wide
    EXPECT_EQ(Text(kUser, run, "Kavelo"), "<missing>");
    EXPECT_EQ(Text(kMachine, machineRun, "Kavelo"), "<missing>");
    EXPECT_EQ(Text(kUser, run, "Other"), "other.exe");

    save(false);  // missing and not wanted: nothing
    EXPECT_EQ(Text(kUser, run, "Kavelo"), "<missing>");

    // The machine-wide entry is only ever removed, even without a per-user
    // list; while it is there it starts the program, and no second entry is
    // added beside it.
    PlantString(kMachine, machineRun, "Kavelo", "C:\\Old\\Kavelo.exe");
    save(true);
    EXPECT_EQ(Text(kMachine, machineRun, "Kavelo"), "C:\\Old\\Kavelo.exe");
    EXPECT_EQ(Text(kUser, run, "Kavelo"), "<missing>");
    reg().DeleteKeyTree(kUser, run);
    save(false);
    EXPECT_EQ(Text(kMachine, machineRun, "Kavelo"), "<missing>");
}

TEST_P(SettingsContract, SavingAgainWritesTheSame) {
    ASSERT_NE(reg().CreateKey(kUser, kKeys.UserRun), nullptr);
    GaugeState s;
    s.History = HistoryOf(3);
    WindowDouble w;
    w.top = 12;
    auto snapshot = [&] {
        std::vector<std::string> all;
        for (const char* name : {"Top", "Left", "Dessus", "Tray"}) all.push_back(Stored("Position", name));
        for (const char* name : {"DureeHisto", "AfficheTemps", "AutoStart", "SeuilAlerteTemps", "SeuilAlertePourcent"})
            all.push_back(Stored("", name));
        for (const char* name : {"Normale", "TrayShadow", "Tray", "TrayPluged", "Alerte"})
            all.push_back(Stored("Couleur", name));
        for (const char* n : {"0", "1", "2", "3"}) all.push_back(Text(kUser, kTemps, n) + "/" + Text(kUser, kConso, n));
        all.push_back(Text(kUser, kKeys.UserRun, "Kavelo"));
        return all;
    };
    SaveSettings(reg(), s, w, kPath, kKeys);
    const auto first = snapshot();
    EXPECT_EQ(first[0], "12");
    SaveSettings(reg(), s, w, kPath, kKeys);
    EXPECT_EQ(snapshot(), first);
}

}  // namespace
}  // namespace kavelo::contract
