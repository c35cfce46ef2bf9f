#include "app/taskbar_theme.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"

namespace kavelo {

TEST(TaskbarTheme, LightOnlyForADwordOtherThanZeroDarkWhenMissing) {
    using T = RegistryValueType;
    const std::pair<RegistryValue, TrayTheme> cases[] = {
        {{T::Other, {}}, TrayTheme::Dark},             {{T::Dword, {0, 0, 0, 0}}, TrayTheme::Dark},
        {{T::Dword, {1, 0, 0, 0}}, TrayTheme::Light}, {{T::String, {'1', 0}}, TrayTheme::Dark},
        {{T::Dword, {1}}, TrayTheme::Dark}};
    for (const auto& [value, want] : cases) {
        fakes::FakeRegistry registry;  // the first case: no value at all
        if (value.Type != T::Other) registry.Put(RegistryRoot::CurrentUser, kPersonalizeKey, kLightThemeValue, value.Type, value.Data);
        EXPECT_EQ(TaskbarTheme(registry), want) << int(value.Type) << " of " << value.Data.size();
    }
}

}  // namespace kavelo
