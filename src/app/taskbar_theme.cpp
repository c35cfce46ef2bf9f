#include "app/taskbar_theme.h"

namespace kavelo {

TrayTheme TaskbarTheme(Registry& registry) {
    const auto key = registry.OpenKey(RegistryRoot::CurrentUser, kPersonalizeKey, RegistryAccess::Read);
    const auto value = key ? key->QueryValue(kLightThemeValue) : std::nullopt;
    if (!value || value->Type != RegistryValueType::Dword || value->Data.size() < 4) return TrayTheme::Dark;
    const auto& d = value->Data;
    return (d[0] | d[1] | d[2] | d[3]) ? TrayTheme::Light : TrayTheme::Dark;
}

}  // namespace kavelo
