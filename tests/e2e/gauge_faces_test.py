#!/usr/bin/env python3
"""What the real gauge shows, pixel for pixel against the program's own
renderer: the two tray icons of a first start in tray-only mode, the time face
after a tray double-click, the percentage face with the lit plug on mains, the
frame round "Absente" without a battery, and, after a restart with the
percentage display stored, the percentage face on battery, the icons matching a
light then a dark taskbar (a broadcast change of theme); then "&Close" from
the window's context menu ends the program with exit code 0 and takes both
tray icons away."""
import time

import kavelo_e2e as e2e
import gauge_steps as g
import settings_steps

# A stored history of one point in 131 579 ms: at 57 % the estimate is
# 7 500 s, shown as 2:05.
MS_PER_POINT = 131579
SECONDS_AT_57 = MS_PER_POINT * 57 // 1000
PERSONALIZE = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize"


def expect_tray(s, name, *scene):
    """Both tray icons show their half of the tray picture of this scene."""
    left = g.render(s, *scene, "--view", "tray-left")
    right = g.render(s, *scene, "--view", "tray-right")
    deadline = time.monotonic() + 10
    while True:
        screen = s.screenshot(name)
        try:
            (lx, ly), (rx, ry) = g.tray_icons(s, screen, left, right)
            break
        except AssertionError:
            if time.monotonic() > deadline:
                g.scaled(left, 6).save_png(s.run_dir / f"{name}-expected-left.png")
                g.scaled(right, 6).save_png(s.run_dir / f"{name}-expected-right.png")
                raise
            time.sleep(0.3)
    # Neighbours on one row, the picture reading left to right.
    assert ly == ry and 16 <= rx - lx <= 24, (
        f"tray icons apart or swapped: left half at {(lx, ly)}, right half at {(rx, ry)}")
    e2e.log(f"{name}: left half at {(lx, ly)}, right half at {(rx, ry)}")
    return screen, (lx, ly, rx + 16, ly + 16)


def absent_label_problem(shot, frame):
    """None when the window is the frame round a label: no face inside, only
    the label's light background and its black text."""
    if (shot.width, shot.height) != (frame.width, frame.height):
        return f"window {shot.width}x{shot.height}, expected {frame.width}x{frame.height}"
    ring = [(x, y) for y in range(shot.height) for x in range(shot.width)
            if min(x, y, shot.width - 1 - x, shot.height - 1 - y) < 4
            and shot.pixel(x, y) != frame.pixel(x, y)]
    if ring:
        return f"{len(ring)} pixels of the frame wrong, the first at {ring[0]}"
    inside = dict(shot.crop((4, 4, shot.width - 4, shot.height - 4)).colours())
    black = inside.pop(b"\0\0\0", 0)
    if len(inside) != 1 or min(next(iter(inside))) < 128 or black < 40:
        return f"inside colours {inside}, {black} black pixels: not a label"
    return None


def test(s):
    g.plant_history(s, [(MS_PER_POINT, 1)])
    s.battery.set(percent=57)
    empty_tray = s.screenshot("no-icons")

    # First start: no settings, so tray-only mode with both icons.
    s.start_kavelo()
    s.expect_caption("Batterie : 57%")
    assert not s.window().flag("visible"), "a first start must show no gauge window"
    time_face = ("time", "--seconds", SECONDS_AT_57, "--percent", 57)
    _, icons = expect_tray(s, "tray-time", *time_face)

    # Out of tray-only mode: the time face, 80 x 24.
    g.leave_tray_only(s)
    expected = g.render(s, *time_face, "--view", "window")
    assert (expected.width, expected.height) == (80, 24)
    screen = g.expect_window_picture(s, expected, "time-face")
    g.scaled(screen.crop(g.gauge_rect(s)), 6).save_png(s.run_dir / "gauge-window.png")

    # On mains: the percentage face with the lit plug, counted down from 100
    # and then repainted by the timer every 500 ms; the window is 68 x 24.
    s.battery.set(percent=57, on_mains=True)
    s.power_status_changed()
    mains_face = ("percent", "--percent", 57, "--mains")
    g.expect_window_picture(s, g.render(s, *mains_face, "--view", "window"), "mains-face")
    screen, icons = expect_tray(s, "tray-mains", *mains_face)
    left, _, right, _ = icons
    g.scaled(screen.crop((left - 6, g.taskbar_top(s), right + 6, screen.height)), 6).save_png(
        s.run_dir / "gauge-tray.png")

    # No battery: the frame round the "Absente" label.
    s.battery.set(present=False)
    s.power_status_changed()
    s.expect_caption("Batterie : Absente")
    frame = g.render(s, "frame", "--view", "window")
    deadline = time.monotonic() + 10
    while wrong := absent_label_problem(s.screenshot("absent").crop(g.gauge_rect(s)), frame):
        assert time.monotonic() < deadline, f"Absente: {wrong}"
        time.sleep(0.3)

    assert s.close_kavelo() == 0

    # Restarted with the percentage display stored. The gauge window was
    # shown when the program ended, so it shows at once this time.
    tray_stored = s.reg_query(g.STORE + r"\Position")[r"HKEY_CURRENT_USER\Kavelo\Position"]["Tray"]
    assert tray_stored.data == "0", tray_stored
    g.plant(s, "", {"AfficheTemps": "0"})
    s.battery.set(percent=57)
    s.start_kavelo()
    percent_face = ("percent", "--percent", 57)
    g.expect_window_picture(s, g.render(s, *percent_face, "--view", "window"), "percent-face")
    expect_tray(s, "tray-percent", *percent_face)
    r, gr, b = empty_tray.crop((0, g.taskbar_top(s) + 2, empty_tray.width, empty_tray.height)).colours()[0][0]
    matched = (*percent_face, "--taskbar-colour", f"{b:02X}{gr:02X}{r:02X}", "--taskbar")
    s.reg_add(PERSONALIZE, "SystemUsesLightTheme", "REG_DWORD", 1)
    settings_steps.menu_command(s, "&Color", "Match the &taskbar")
    screen, themed = expect_tray(s, "tray-light", *matched, "light")
    assert bytes([0xC0] * 3) not in dict(screen.crop(themed).colours()), "silver in the icons"
    s.reg_add(PERSONALIZE, "SystemUsesLightTheme", "REG_DWORD", 0)
    s.broadcast(0x001A, 0, "ImmersiveColorSet")  # WM_SETTINGCHANGE
    expect_tray(s, "tray-dark", *matched, "dark")

    # "&Close" from the context menu that a right click on the window opens.
    left, top, right, bottom = g.gauge_rect(s)
    s.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2, "click", "3")
    items = [r for r in s.menu() if r.kind == "item" and r["menu"] == "0"]
    assert [r["text"] for r in items][-1] == "&Close", items
    s.click_menu_item(int(items[-1]["pos"]))
    code = s.wait_exit("kavelo")
    assert code == 0, f"Kavelo.exe ended with exit code {code}"

    # Both icons gone: the notification area is as before the first start.
    left, top, _, bottom = icons
    area = (left - 24, top - 2, empty_tray.width, bottom + 2)
    deadline = time.monotonic() + 10
    while wrong := g.differences(s.screenshot("closed").crop(area), empty_tray.crop(area)):
        assert time.monotonic() < deadline, f"tray icons left behind: {wrong}"
        time.sleep(0.3)

if __name__ == "__main__":
    e2e.run_test(test)
