#pragma once
// The taskbar's theme, as Windows 10 and 11 keep it for the current user.
#include "platform/registry.h"
#include "render/tray_picture.h"

namespace kavelo {

inline constexpr const char* kPersonalizeKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
inline constexpr const char* kLightThemeValue = "SystemUsesLightTheme";

// Light when the value is a DWORD other than 0; dark when it is 0, missing
// (Windows 10 before its light taskbar) or of another type.
TrayTheme TaskbarTheme(Registry& registry);

}  // namespace kavelo
