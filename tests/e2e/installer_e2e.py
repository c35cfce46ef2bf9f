#!/usr/bin/env python3
"""The downloads as a Windows user gets them: the zip holds the release
Kavelo.exe, LICENSE and README.txt; the installer, run silently under Wine,
installs the program, its Start-menu shortcut and its uninstall entry; the
installed Kavelo shows its icons and its version resource; a second install
over two running gauges closes both (so that they save their settings) and starts
one new one, one over a program held open fails (and so does the uninstall); the uninstall removes all but the settings.

    installer_e2e.py --win-dir W --dist-dir D --release-exe E
"""
import argparse
import re
import time
import zipfile
from pathlib import Path

import kavelo_e2e as e2e
import gauge_steps as g
from settings_steps import wait_until

UNINSTALL = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kavelo"
RUN = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
STORE = r"HKCU\Kavelo"
MS_PER_POINT = 131579  # 2:05 at 57 %


def values(s, key):
    tree = s.reg_query(key) or {}
    found = tree.get(key.replace("HKCU", "HKEY_CURRENT_USER"))
    return None if found is None else {name: v.data for name, v in found.items()}


def install(s, installer, n):
    assert s.wine([installer, "/S"], f"install-{n}.log", timeout=120) == 0, f"install {n} failed"


def expect_icons(s, name):
    scene = ("time", "--seconds", MS_PER_POINT * 57 // 1000, "--percent", 57)
    left, right = (g.render(s, *scene, "--view", v) for v in ("tray-left", "tray-right"))
    deadline = time.monotonic() + 15
    while True:
        try:
            (lx, ly), (rx, ry) = g.tray_icons(s, s.screenshot(name), left, right)
            assert ly == ry and 16 <= rx - lx <= 24, f"icons at {(lx, ly)} and {(rx, ry)}"
            return
        except AssertionError:
            if time.monotonic() > deadline:
                raise
            time.sleep(0.5)


def test(s, dist, release_exe):
    version = re.search(r"project\(Kavelo VERSION ([0-9.]+)",
                        (e2e.REPO / "CMakeLists.txt").read_text()).group(1)
    exe = release_exe.read_bytes()
    with zipfile.ZipFile(dist / f"Kavelo-{version}-win64.zip") as z:
        assert sorted(z.namelist()) == ["Kavelo.exe", "LICENSE", "README.txt"], z.namelist()
        assert z.read("Kavelo.exe") == exe and b"MIT License" in z.read("LICENSE")
    installer = dist / f"Kavelo-{version}-win64-installer.exe"
    g.plant_history(s, [(MS_PER_POINT, 1)])
    s.battery.set(percent=57)

    install(s, installer, 1)
    user = next(p for p in (s.prefix / "drive_c" / "users").iterdir() if p.name != "Public")
    folder = user / "AppData" / "Local" / "Programs" / "Kavelo"
    where = rf"C:\users\{user.name}\AppData\Local\Programs\Kavelo"
    assert sorted(p.name for p in folder.iterdir()) == ["Kavelo.exe", "LICENSE", "Uninstall.exe"]
    assert (folder / "Kavelo.exe").read_bytes() == exe
    link = user / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kavelo.lnk"
    assert (where + r"\Kavelo.exe").encode() in link.read_bytes(), "shortcut to the program"
    entry = values(s, UNINSTALL)
    expected = {"DisplayName": "Kavelo", "DisplayVersion": version,
                "Publisher": "The Kavelo authors", "DisplayIcon": where + r"\Kavelo.exe,0",
                "InstallLocation": where, "UninstallString": f'"{where}\\Uninstall.exe"',
                "QuietUninstallString": f'"{where}\\Uninstall.exe" /S',
                "NoModify": 1, "NoRepair": 1}
    assert {k: entry.get(k) for k in expected} == expected, entry
    assert len(exe) // 1024 <= entry["EstimatedSize"] < len(exe) // 1024 + 400, entry
    quad = version + ".0"
    r = s.probe("version", where + r"\Kavelo.exe")
    assert [dict(v) for v in r.of_kind("version")] == [{"file": quad, "product": quad}], r
    assert {v["name"]: v["value"] for v in r.of_kind("string")} == {
        "CompanyName": "The Kavelo authors", "FileDescription": "Kavelo battery gauge",
        "FileVersion": quad, "InternalName": "Kavelo.exe",
        "LegalCopyright": "Copyright (c) The Kavelo authors. MIT License.",
        "OriginalFilename": "Kavelo.exe", "ProductName": "Kavelo", "ProductVersion": quad}, r

    # Started as the shortcut starts it; nothing is saved before it closes.
    # Two of them, as 1.0.1 ran them: kprobe holds the single-instance guard's name.
    def hold(name, *what):
        s.spawn(name, s.bin / "kprobe.exe", e2e.win_path(s.run_dir / name), "hold", *what, 600000)
        wait_until(f"{name} held", lambda: (s.run_dir / name).exists() and (s.run_dir / name).read_text() == "held\n")
    hold("guard", "--event", r"Local\Kavelo.Gauge.5f0c1e2a")
    s.spawn("kavelo", where + r"\Kavelo.exe")
    s.expect_caption("Batterie : 57%")
    expect_icons(s, "installed")
    assert "DureeHisto" not in (values(s, STORE) or {})
    s.spawn("kavelo2", where + r"\Kavelo.exe")
    wait_until("two gauges", lambda: len(s.windows(e2e.GAUGE_CLASS)) == 2)
    e2e.kill_group(s.processes["guard"][0])

    install(s, installer, 2)
    assert [s.wait_exit(n) for n in ("kavelo", "kavelo2")] == [0, 0], "gauges not closed in order"
    assert values(s, STORE)["DureeHisto"] == "5", "settings not saved at the upgrade"
    assert values(s, RUN)["Kavelo"] == f'"{where}\\Kavelo.exe"'
    wait_until("one new gauge", lambda: len(s.windows(e2e.GAUGE_CLASS)) == 1, timeout=30)  # the old ones ended
    expect_icons(s, "upgraded")

    # Kavelo.exe held open without sharing: the install fails, the entry keeps its version.
    s.reg_add(UNINSTALL, "DisplayVersion", "REG_SZ", "1.0.0")
    hold("holder", where + r"\Kavelo.exe")
    assert s.wine([installer, "/S"], "install-3.log") != 0 and values(s, UNINSTALL)["DisplayVersion"] == "1.0.0"
    # And the uninstaller, run in place: it fails and keeps everything that lets it run again.
    assert s.wine([where + r"\Uninstall.exe", "/S", "_?=" + where], "uninstall-held.log", timeout=60) != 0
    assert link.exists() and values(s, UNINSTALL) and "Kavelo" in (values(s, RUN) or {}), "uninstalled around a held file"
    e2e.kill_group(s.processes["holder"][0])

    # As Apps & features runs it: the uninstaller copies itself away and
    # returns at once; the copy closes the gauge and removes the folder.
    assert s.wine([where + r"\Uninstall.exe", "/S"], "uninstall.log") == 0
    deadline = time.monotonic() + 60
    while folder.exists() or link.exists():
        assert time.monotonic() < deadline, f"left behind: {list(folder.glob('*'))}, {link}"
        time.sleep(0.5)
    assert s.probe("gone", "--class", e2e.GAUGE_CLASS, "--timeout", 10000).ok
    assert values(s, UNINSTALL) is None
    assert "Kavelo" not in (values(s, RUN) or {}), "logon entry left"
    assert values(s, STORE)["DureeHisto"] == "5", "settings removed by a silent uninstall"


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--dist-dir", type=Path, required=True)
    parser.add_argument("--release-exe", type=Path, required=True)
    opts, _ = parser.parse_known_args()
    e2e.run_test(lambda s: test(s, opts.dist_dir.resolve(), opts.release_exe.resolve()),
                 name="installer")
