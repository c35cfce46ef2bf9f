#!/usr/bin/env python3
"""Tray icons that match the taskbar, stored ticked: with the light theme, the
themed picture on Wine's light taskbar, no silver; the theme set to dark and
the change broadcast, the dark theme's picture at once."""
import kavelo_e2e as e2e
import gauge_steps as g
from gauge_faces_test import MS_PER_POINT, SECONDS_AT_57, expect_tray

PERSONALIZE = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize"


def test(s):
    g.plant_history(s, [(MS_PER_POINT, 1)])
    g.plant(s, "Couleur", {"TrayAuto": "1"})
    s.reg_add(PERSONALIZE, "SystemUsesLightTheme", "REG_DWORD", 1)
    s.battery.set(percent=57)
    bar = s.screenshot("no-icons")
    r, gr, b = bar.crop((0, g.taskbar_top(s) + 2, bar.width, bar.height)).colours()[0][0]
    face = ("time", "--seconds", SECONDS_AT_57, "--percent", 57, "--taskbar-colour", f"{b:02X}{gr:02X}{r:02X}")
    s.start_kavelo()
    screen, icons = expect_tray(s, "light", *face, "--taskbar", "light")
    assert bytes([0xC0] * 3) not in dict(screen.crop(icons).colours()), "silver in the icons"
    s.reg_add(PERSONALIZE, "SystemUsesLightTheme", "REG_DWORD", 0)
    s.broadcast(0x001A, 0, "ImmersiveColorSet")  # WM_SETTINGCHANGE
    expect_tray(s, "dark", *face, "--taskbar", "dark")
    assert s.close_kavelo() == 0


if __name__ == "__main__":
    e2e.run_test(test)
