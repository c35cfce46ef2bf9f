#!/usr/bin/env python3
"""The gauge window's caption follows the battery through power notifications,
and closing the window ends the program with exit code 0."""
import kavelo_e2e as e2e


def test(s):
    (folder := s.prefix / "drive_c" / "Kavelo-Łódź-测试").mkdir()  # a name no ANSI code page spells whole
    (folder / "Kavelo.exe").write_bytes((s.bin / "Kavelo.exe").read_bytes())
    s.battery.set(percent=57)
    s.spawn("kavelo", rf"C:\{folder.name}\Kavelo.exe")
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
    run = s.reg_export(r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run")  # the logon entry: its path
    assert rf'"Kavelo"="\"C:\\{folder.name}\\Kavelo.exe\""' in run.splitlines(), run


if __name__ == "__main__":
    e2e.run_test(test)
