// What only a fake registry can show: the exact order of the writes, write
// failures, and a user who may not write below HKEY_LOCAL_MACHINE.
#include <gtest/gtest.h>

#include <functional>

#include "app/settings_sequences.h"
#include "app/settings_store.h"
#include "fakes/fake_registry.h"
#include "registry_contract/settings_window_double.h"

namespace kavelo {
namespace {

using contract::WindowDouble;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

GaugeState TwoSamples() {
    GaugeState s;
    s.History.AddSample(90000, 2);
    s.History.AddSample(60000, 1);
    return s;
}

// The learned history, the costliest to lose, is replaced first, so that a
// later failed write leaves it saved; the logon entry follows the settings.
TEST(SettingsSave, WritesTheHistoryFirstEachValueOnceAndTheLogonEntryLast) {
    fakes::FakeRegistry reg;
    reg.PutString(kUser, "Kavelo\\Moyenne\\Temps", "5", "1");
    reg.PutString(kUser, kRun, "Other", "x");
    SaveSettings(reg, TwoSamples(), WindowDouble{}, "C:\\K.exe");

    std::vector<std::string> sets;
    for (const std::string& change : reg.Changes())
        if (change.starts_with("set ")) sets.push_back(change);
    ASSERT_EQ(sets.size(), std::size(kStoredSettings) + 4);  // the histories' row: two samples
    EXPECT_EQ(reg.Changes().front(), "deletetree kavelo\\moyenne");
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(sets[i].starts_with("set kavelo\\moyenne\\")) << sets[i];
    EXPECT_EQ(sets.back(), "set software\\microsoft\\windows\\currentversion\\run\\kavelo");
    EXPECT_EQ(reg.OpenKeys(), 0);
}

TEST(SettingsSave, AFailedWriteStopsTheSaveWithItsMessage) {
    struct Case {
        std::function<void(fakes::FakeRegistry&)> fail;
        GaugeState state;
        const char* message;
        const char* lastChange;
    };
    const std::vector<Case> cases = {
        {[](auto& r) { r.FailCreate(kUser, "Kavelo\\Moyenne\\Conso"); }, TwoSamples(),
         "Erreur de création de la clé Moyenne\\Conso", "set kavelo\\moyenne\\temps\\0"},
        {[](auto& r) { r.FailCreate(kUser, "Kavelo\\Position"); }, TwoSamples(),
         "Erreur de création de la clé Position", "set kavelo\\moyenne\\conso\\1"},
        {[](auto& r) { r.FailSet(kUser, "Kavelo\\Couleur", "TrayShadow"); }, GaugeState{},
         "Erreur à définition des données pour 'TrayShadow'", "set kavelo\\couleur\\normale"},
        {[](auto& r) { r.FailSet(kUser, "Kavelo", "SeuilAlertePourcent"); }, GaugeState{},
         "Erreur à définition des données pour 'SeuilAlertePourcent'", "set kavelo\\seuilalertetemps"},
        // A store the user may read but not write.
        {[](auto& r) { r.PutString(kUser, "Kavelo", "x", "1"), r.DenyWrite(kUser, "Kavelo"); }, GaugeState{},
         "Erreur de création de la clé Position", nullptr},
        // No store key at all.
        {[](auto& r) { r.FailCreate(kUser, "Kavelo"); }, GaugeState{}, "Erreur de création de la clé Position",
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        fakes::FakeRegistry reg;
        reg.PutString(kUser, kRun, "Other", "x");
        c.fail(reg);
        try {
            SaveSettings(reg, c.state, WindowDouble{}, "C:\\K.exe");
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        if (c.lastChange) {
            ASSERT_FALSE(reg.Changes().empty());
            EXPECT_EQ(reg.Changes().back(), c.lastChange);
        } else {
            EXPECT_TRUE(reg.Changes().empty());
        }
        EXPECT_FALSE(reg.Get(kUser, kRun, "Kavelo"));  // the logon entry is never reached
        EXPECT_EQ(reg.OpenKeys(), 0);
    }
}

TEST(SettingsSave, AnExistingKeyThatCannotBeWrittenIsPassedOver) {
    for (const char* denied : {"Kavelo\\Position", "Kavelo"}) {
        fakes::FakeRegistry reg;
        for (const char* key : {"Kavelo\\Position", "Kavelo\\Couleur", kRun.c_str()}) reg.PutString(kUser, key, "x", "1");
        reg.DenyWrite(kUser, denied);
        EXPECT_NO_THROW(SaveSettings(reg, GaugeState{}, WindowDouble{}, "C:\\K.exe")) << denied;
        EXPECT_TRUE(reg.Get(kUser, kRun, "Kavelo")) << denied;  // the save went on to its end
    }
}

TEST(SettingsSave, AStandardUserEndsTheSaveSilently) {
    fakes::FakeRegistry reg;
    reg.PutString(kUser, kRun, "Kavelo", "\"C:\\K.exe\"");
    reg.PutString(kMachine, kRun, "Kavelo", "C:\\K.exe");
    reg.DenyWrite(kMachine, "");
    GaugeState s;
    s.AutoStart = false;
    EXPECT_NO_THROW(SaveSettings(reg, s, WindowDouble{}, "C:\\K.exe"));
    EXPECT_FALSE(reg.Get(kUser, kRun, "Kavelo"));
    EXPECT_TRUE(reg.Get(kMachine, kRun, "Kavelo"));  // there to stay, unreported

    // Nor does a per-user list that can't be written stop anything.
    reg.DenyWrite(kUser, kRun);
    s.AutoStart = true;
    EXPECT_NO_THROW(SaveSettings(reg, s, WindowDouble{}, "C:\\K.exe"));
    EXPECT_FALSE(reg.Get(kUser, kRun, "Kavelo"));
    EXPECT_EQ(reg.OpenKeys(), 0);
}

TEST(SettingsStoreFailures, AReadOnlyStoreIsStillReadAndErasingPassesOverWhatStays) {
    fakes::FakeRegistry reg;
    reg.PutString(kUser, "Kavelo\\Position", "Top", "5");
    reg.PutString(kUser, "Kavelo\\Moyenne\\Temps", "0", "100");
    reg.PutString(kUser, "Kavelo\\Moyenne\\Conso", "0", "2");
    reg.DenyWrite(kUser, "Kavelo");
    GaugeState s;
    WindowDouble w;
    LoadSettings(reg, s, w);
    EXPECT_EQ(w.top, 5);
    EXPECT_EQ(s.History.Samples[0].Temps, 100);

    SettingsStore store(reg);
    EXPECT_NO_THROW(store.EraseSection("Moyenne"));
    EXPECT_TRUE(reg.KeyExists(kUser, "Kavelo\\Moyenne\\Temps"));

    fakes::FakeRegistry none;
    none.FailCreate(kUser, "Kavelo");
    LoadSettings(none, s, w);  // nothing to read: the defaults
    EXPECT_EQ(w.top, 0);
    EXPECT_EQ(s.History.Count(), 0);
}

}  // namespace
}  // namespace kavelo
