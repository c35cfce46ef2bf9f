#!/usr/bin/env python3
"""At 96, 144 and 192 DPI the gauge window is the 96-DPI time face with each
pixel a k x k block (k = 1, 2, 2); its screenshots x 3 are the README's."""
import kavelo_e2e as e2e
import gauge_steps as g
from gauge_faces_test import MS_PER_POINT, SECONDS_AT_57


def test(s):
    g.plant_history(s, [(MS_PER_POINT, 1)])
    s.battery.set(percent=57)
    for dpi, k, percent in ((96, 1, 100), (144, 2, 150), (192, 2, 200)):
        s.reg_add(r"HKCU\Control Panel\Desktop", "LogPixels", "REG_DWORD", dpi)
        s.start_kavelo()
        if dpi == 96:
            g.leave_tray_only(s)  # a first start is tray-only; the close stores the shown window
        expected = g.render(s, "time", "--seconds", SECONDS_AT_57, "--view", "window", "--scale", k)
        screen = g.expect_window_picture(s, expected, f"time-face-{dpi}")
        g.scaled(screen.crop(g.gauge_rect(s)), 3).save_png(s.run_dir / f"gauge-window-{percent}.png")
        assert s.close_kavelo() == 0


if __name__ == "__main__":
    e2e.run_test(test)
