#include "fakes/fake_registry.h"
#include "registry_contract/registry_contract.h"

namespace kavelo::contract {
namespace {

class FakeHarness final : public RegistryHarness {
public:
    Registry& Reg() override { return registry_; }
    void Plant(RegistryRoot root, const std::string& path, const std::string& name, RegistryValueType type,
               const std::vector<uint8_t>& data) override {
        registry_.Put(root, path, name, type, data);
    }

private:
    fakes::FakeRegistry registry_;
};

const HarnessFactory kFake{"Fake", [] { return std::make_unique<FakeHarness>(); }};

INSTANTIATE_TEST_SUITE_P(Fake, RegistryContract, ::testing::Values(kFake),
                         [](const auto& info) { return info.param.name; });
INSTANTIATE_TEST_SUITE_P(Fake, SettingsContract, ::testing::Values(kFake),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace kavelo::contract
