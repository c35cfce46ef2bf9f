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

std::vector<const StoredSetting*> Values() {  // the rows but the histories'
    std::vector<const StoredSetting*> all;
    for (const StoredSetting& row : kStoredSettings)
        if (row.name) all.push_back(&row);
    return all;
}
bool IsFlag(const StoredSetting& row) { return row.kind == StoredKind::Flag || row.kind == StoredKind::NegatedFlag; }

// Loads as the window's creation does, toggling PercentMode at its end. Gives the error raised.
std::string Load(Registry& reg, GaugeState& s, WindowDouble& w) {
    std::string error;
    try { LoadSettings(reg, s, w, kKeys); } catch (const SettingsError& e) { error = e.what(); }
    s.PercentMode = !s.PercentMode;
    return error;
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
    EXPECT_EQ(Load(reg(), s, w), "");

    EXPECT_TRUE(KeyExists(kUser, kStore));
    EXPECT_EQ(w.log, (std::vector<std::string>{"top 0", "left 0", "check off", "click", "tray on"}));
    EXPECT_EQ(s.History.Count(), 0);
    // What a first run loads is what GaugeState starts with.
    for (const StoredSetting* row : Values()) {
        EXPECT_EQ(StoredValue(*row, s, w), row->def) << row->name;
        EXPECT_EQ(StoredValue(*row, GaugeState{}, w), row->def) << row->name;
    }
}

TEST_P(SettingsContract, EverySettingSurvivesARestart) {
    for (const int pass : {0, 1}) {
        GaugeState s;
        s.History = HistoryOf(7);
        WindowDouble w;
        for (int i = 0; const StoredSetting* row : Values())  // flags both ways, numbers far from their defaults
            ApplyStoredValue(*row, s, w, IsFlag(*row) ? (pass + i++) % 2 : pass ? INT32_MAX - i++ : -3 - 1000 * i++);
        SaveSettings(reg(), s, w, kPath, kKeys);
        EXPECT_EQ(Stored("", "AfficheTemps"), s.PercentMode ? "0" : "1");

        GaugeState r;
        WindowDouble rw;
        EXPECT_EQ(Load(reg(), r, rw), "");
        for (const StoredSetting* row : Values()) {
            EXPECT_EQ(Stored(row->section, row->name), std::to_string(StoredValue(*row, s, w))) << row->name;
            EXPECT_EQ(StoredValue(*row, r, rw), StoredValue(*row, s, w)) << row->name;
        }
        EXPECT_EQ(rw.stayOnTopCheck, rw.stayOnTop);
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

// Entry 2 is bad in its own way ("#": a DWORD; null: missing) and entry 5
// missing, before entry 6: the others load in order and are saved again so.
TEST_P(SettingsContract, ABadHistorySampleCostsOnlyItself) {
    for (const auto& [temps, conso] : std::vector<std::pair<const char*, const char*>>{
             {"#", "1"}, {"9", "#"}, {"-7", "1"}, {"9", "0"}, {"9", nullptr}}) {
        SCOPED_TRACE(std::string(temps) + "/" + (conso ? conso : "none"));
        reg().DeleteKeyTree(kUser, kStore);
        auto put = [&](const std::string& key, const std::string& name, const char* text) {
            if (text && *text == '#') PlantDword(kUser, kStore + key, name, 1);
            else if (text) PlantString(kUser, kStore + key, name, text);
        };
        for (const int n : {0, 1, 2, 3, 4, 6}) {
            const std::string t = std::to_string(1000 + n), p = std::to_string(1 + n), name = std::to_string(n);
            put("\\Moyenne\\Temps", name, n == 2 ? temps : t.c_str()), put("\\Moyenne\\Conso", name, n == 2 ? conso : p.c_str());
            put("\\Recharge\\Temps", "50-" + name, n == 2 ? temps : t.c_str());
            put("\\Recharge\\Conso", "50-" + name, n == 2 ? conso : p.c_str());
        }
        GaugeState s;
        WindowDouble w;
        EXPECT_EQ(Load(reg(), s, w), *temps == '#' || (conso && *conso == '#') ? "Type de données incorrect pour '2'" : "");
        const std::vector<Sample> kept = {{1000, 1}, {1001, 2}, {1003, 4}, {1004, 5}, {-1, -1}};
        EXPECT_EQ(std::vector<Sample>(s.History.Samples.begin(), s.History.Samples.begin() + 5), kept);
        EXPECT_EQ(std::vector<Sample>(s.ChargeHistory.Bands[5].begin(), s.ChargeHistory.Bands[5].begin() + 5), kept);
        SaveSettings(reg(), s, w, kPath, kKeys);
        EXPECT_EQ(Text(kUser, kTemps, "2") + Text(kUser, kConso, "3") + Text(kUser, kTemps, "4"), "10035<missing>");
    }
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
    auto other = [](const StoredSetting& row) { return IsFlag(row) ? 1 - row.def : row.def + 7; };
    for (const StoredSetting* bad : Values()) {
        SCOPED_TRACE(bad->name);
        for (const StoredSetting* row : Values()) Put(row->section, row->name, std::to_string(other(*row)));
        PlantDword(kUser, *bad->section ? kStore + "\\" + bad->section : kStore, bad->name, 1);

        GaugeState s;
        WindowDouble w;
        EXPECT_EQ(Load(reg(), s, w), "Type de données incorrect pour '" + std::string(bad->name) + "'");
        for (const StoredSetting* row : Values())
            EXPECT_EQ(StoredValue(*row, s, w), row == bad ? row->def : other(*row)) << row->name;
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
        for (const StoredSetting* row : Values()) all.push_back(Stored(row->section, row->name));
        for (const char* n : {"0", "1", "2", "3"}) all.push_back(Text(kUser, kTemps, n) + "/" + Text(kUser, kConso, n));
        all.push_back(Text(kUser, kKeys.UserRun, "Kavelo"));
        return all;
    };
    SaveSettings(reg(), s, w, kPath, kKeys);
    const auto first = snapshot();
    EXPECT_EQ(Stored("Position", "Top"), "12");
    SaveSettings(reg(), s, w, kPath, kKeys);
    EXPECT_EQ(snapshot(), first);
}

}  // namespace
}  // namespace kavelo::contract
