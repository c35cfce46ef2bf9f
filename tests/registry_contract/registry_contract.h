#pragma once
// Suites that hold for every registry, run natively against the fake and
// under Wine against the real one. Each side instantiates them with a
// harness of its own.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace kavelo::contract {

// What a suite needs beyond the registry interface itself.
class RegistryHarness {
public:
    virtual ~RegistryHarness() = default;
    virtual Registry& Reg() = 0;
    // Writes a value of any type and data, creating its key: how another
    // program (or a hand in regedit) leaves things behind.
    virtual void Plant(RegistryRoot root, const std::string& path, const std::string& name,
                       RegistryValueType type, const std::vector<uint8_t>& data) = 0;
};

struct HarnessFactory {
    std::string name;
    std::function<std::unique_ptr<RegistryHarness>()> make;
};
inline std::ostream& operator<<(std::ostream& os, const HarnessFactory& f) { return os << f.name; }

inline constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
inline constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;

// Keys the suites own; removed before and after every test, so that the
// registry is left as it was found.
inline const std::string kScratchUser = "KaveloContractTest";                 // below HKCU
inline const std::string kScratchMachine = "Software\\KaveloContractTest";    // below HKLM

class RegistryTest : public ::testing::TestWithParam<HarnessFactory> {
protected:
    void SetUp() override {
        harness_ = GetParam().make();
        Clean();
    }
    void TearDown() override { Clean(); }

    Registry& reg() { return harness_->Reg(); }
    RegistryHarness& harness() { return *harness_; }

    // The text of a value as the program stores it (up to the first zero),
    // or "<missing>".
    std::string Text(RegistryRoot root, const std::string& path, const std::string& name);
    bool KeyExists(RegistryRoot root, const std::string& path);
    void PlantString(RegistryRoot root, const std::string& path, const std::string& name, const std::string& text);
    void PlantDword(RegistryRoot root, const std::string& path, const std::string& name, uint32_t value);

private:
    void Clean() {
        harness_->Reg().DeleteKeyTree(RegistryRoot::CurrentUser, kScratchUser);
        harness_->Reg().DeleteKeyTree(RegistryRoot::LocalMachine, kScratchMachine);
    }
    std::unique_ptr<RegistryHarness> harness_;
};

// The registry interface's own contract.
class RegistryContract : public RegistryTest {};
// The settings store and the load and save sequences over a registry.
class SettingsContract : public RegistryTest {
protected:
    // A value of the test store (section "" = the store key itself).
    std::string Stored(const std::string& section, const std::string& name);
    void Put(const std::string& section, const std::string& name, const std::string& text);
    // The text stored as an integer setting, read back with a default.
    int32_t ReadBack(const std::string& text, int32_t def);
};

}  // namespace kavelo::contract
