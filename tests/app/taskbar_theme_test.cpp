#include "app/taskbar_theme.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"

namespace kavelo {
namespace {

TEST(TaskbarTheme, LightOnlyForADwordOtherThanZero) {
    using T = RegistryValueType;
    const struct {
        const char* what;
        T type;
        std::vector<uint8_t> data;  // none: no value
        TrayTheme want;
    } cases[] = {{"missing", T::Dword, {}, TrayTheme::Dark},
                 {"0", T::Dword, {0, 0, 0, 0}, TrayTheme::Dark},
                 {"1", T::Dword, {1, 0, 0, 0}, TrayTheme::Light},
                 {"a string", T::String, {'1', 0}, TrayTheme::Dark},
                 {"too short", T::Dword, {1}, TrayTheme::Dark}};
    for (const auto& c : cases) {
        fakes::FakeRegistry registry;
        if (!c.data.empty()) registry.Put(RegistryRoot::CurrentUser, kPersonalizeKey, kLightThemeValue, c.type, c.data);
        EXPECT_EQ(TaskbarTheme(registry), c.want) << c.what;
    }
}

}  // namespace
}  // namespace kavelo
