#!/usr/bin/env python3
"""Kavelo started again while it runs hidden in the tray: the second start
ends at once with exit code 0, and the running gauge comes into view. One
process and one gauge remain."""
from pathlib import Path

import kavelo_e2e as e2e


def kavelo_processes(s):
    """The Kavelo.exe processes of this session's Wine prefix."""
    found = []
    prefix = f"WINEPREFIX={s.prefix}".encode()
    for proc in Path("/proc").glob("[0-9]*"):
        try:
            args = (proc / "cmdline").read_bytes().split(b"\0")
            ours = prefix in (proc / "environ").read_bytes().split(b"\0")
        except OSError:
            continue
        if ours and args and args[0].lower().endswith(b"kavelo.exe"):
            found.append(proc.name)
    return found


def test(s):
    s.battery.set(percent=57)
    s.start_kavelo()
    s.expect_caption("Batterie : 57%")
    assert not s.windows(e2e.GAUGE_CLASS, visible=True), "started in the tray, hidden"
    before = kavelo_processes(s)

    s.spawn("second", s.bin / "Kavelo.exe")
    assert s.wait_exit("second", timeout=60) == 0
    assert s.probe("find", "--class", e2e.GAUGE_CLASS, "--visible", "--timeout", 10000).ok, \
        "the running gauge did not come into view"
    assert len(s.windows(e2e.GAUGE_CLASS)) == 1
    assert kavelo_processes(s) == before and len(before) == 1, (before, kavelo_processes(s))
    assert s.close_kavelo() == 0


if __name__ == "__main__":
    e2e.run_test(test)
