// The registry contract and the settings suites against the real registry.
// This executable is built from tests/win/*_test.cpp alone, so the shared
// suites are compiled in here.
#include <windows.h>

#include "app/settings_sequences.h"
#include "platform/win32/registry_win32.h"
#include "registry_contract/registry_contract.cpp"
#include "registry_contract/settings_contract.cpp"
#include "registry_contract/settings_window_double.h"

namespace kavelo::contract {
namespace {

class RealHarness final : public RegistryHarness {
public:
    Registry& Reg() override { return registry_; }
    void Plant(RegistryRoot root, const std::string& path, const std::string& name, RegistryValueType type,
               const std::vector<uint8_t>& data) override {
        const DWORD types[] = {REG_SZ, REG_EXPAND_SZ, REG_DWORD, REG_BINARY};
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                                  path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const LONG rc = RegSetValueExA(key, name.c_str(), 0, types[static_cast<int>(type)],
                                       data.empty() ? nullptr : data.data(), static_cast<DWORD>(data.size()));
        RegCloseKey(key);
        ASSERT_EQ(rc, ERROR_SUCCESS);
    }

private:
    win32::Win32Registry registry_;
};

const HarnessFactory kReal{"Wine", [] { return std::make_unique<RealHarness>(); }};

INSTANTIATE_TEST_SUITE_P(Real, RegistryContract, ::testing::Values(kReal),
                         [](const auto& info) { return info.param.name; });
INSTANTIATE_TEST_SUITE_P(Real, SettingsContract, ::testing::Values(kReal),
                         [](const auto& info) { return info.param.name; });

TEST(Win32ProgramPath, NamesThisTestProgram) {
    const std::string path = win32::ProgramPath();
    ASSERT_GT(path.size(), 4u);
    EXPECT_EQ(_stricmp(path.substr(path.size() - 4).c_str(), ".exe"), 0) << path;
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
}

// The real places: the store directly below HKEY_CURRENT_USER and the
// per-user logon list. Runs only where neither holds anything of Kavelo's,
// and removes what it wrote.
TEST(Win32Settings, TheRealKeysAreTheUsersStoreAndLogonList) {
    win32::Win32Registry reg;
    const SettingsKeys keys;
    const auto run = reg.OpenKey(RegistryRoot::CurrentUser, keys.UserRun, RegistryAccess::Read);
    if (reg.OpenKey(RegistryRoot::CurrentUser, "Kavelo", RegistryAccess::Read) || !run ||
        run->QueryValue("Kavelo"))
        GTEST_SKIP() << "Kavelo's own settings or logon entry are here";

    GaugeState s;
    s.AlertMinutes = 25;
    SaveSettings(reg, s, WindowDouble{}, win32::ProgramPath());
    const auto store = reg.OpenKey(RegistryRoot::CurrentUser, "Kavelo", RegistryAccess::Read);
    const auto minutes = store ? store->QueryValue("SeuilAlerteTemps") : std::nullopt;
    const auto entry = run->QueryValue("Kavelo");
    reg.DeleteKeyTree(RegistryRoot::CurrentUser, "Kavelo");
    if (auto w = reg.OpenKey(RegistryRoot::CurrentUser, keys.UserRun, RegistryAccess::ReadWrite))
        w->DeleteValue("Kavelo");

    ASSERT_TRUE(minutes);
    EXPECT_EQ(minutes->Data, (std::vector<uint8_t>{'2', '5', 0}));
    ASSERT_TRUE(entry);
    const std::string text(entry->Data.begin(), entry->Data.end());
    EXPECT_EQ(text, RunCommand(win32::ProgramPath()) + std::string(1, '\0'));
}

}  // namespace
}  // namespace kavelo::contract
