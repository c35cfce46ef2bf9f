#!/usr/bin/env python3
"""The gauge window's caption follows the battery through power notifications,
and closing the window ends the program with exit code 0. The program runs
from a folder whose name no ANSI code page spells whole; its logon entry is
its path all the same."""
import shutil

import kavelo_e2e as e2e

FOLDER = "Kavelo-Łódź-测试"


def test(s):
    (s.prefix / "drive_c" / FOLDER).mkdir()
    shutil.copy2(s.bin / "Kavelo.exe", s.prefix / "drive_c" / FOLDER)
    s.battery.set(percent=57)
    s.start_kavelo(exe=rf"C:\{FOLDER}\Kavelo.exe")
    s.expect_caption("Batterie : 57%")
    gauge = s.window()
    e2e.log(f"gauge window: {gauge}")
    screen = s.screenshot("started")
    if gauge.flag("visible"):
        screen.crop(gauge.rect).save_png(s.run_dir / "gauge.png")

    s.battery.set(percent=56)
    s.power_status_changed()
    s.expect_caption("Batterie : 56%")

    # Sent to every top-level window, as Windows delivers it. (A second drop
    # a moment after the first would be measured as a battery about to die,
    # and rightly raise the low-battery message.)
    s.battery.set(present=False)
    s.power_status_changed(broadcast=True)
    s.expect_caption("Batterie : Absente")

    code = s.close_kavelo()
    assert code == 0, f"Kavelo.exe ended with exit code {code}"
    entry = rf'"Kavelo"="\"C:\\{FOLDER}\\Kavelo.exe\""'
    run = s.reg_export(r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run")
    assert entry in run.splitlines(), run


if __name__ == "__main__":
    e2e.run_test(test)
