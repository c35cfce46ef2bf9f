#!/usr/bin/env python3
"""A first start (no settings stored) says in a balloon from the left tray
icon where Kavelo is (read from the shell's own balloon window; its title,
which Wine doesn't give out, shows in first-run.png). Starting Kavelo again
while it runs hidden in the tray ends at once with exit code 0 and brings
the running gauge into view. A later start shows no balloon."""
import kavelo_e2e as e2e


def test(s):
    s.battery.set(percent=57)
    s.start_kavelo()
    shown = s.balloons(timeout=15)
    s.screenshot("first-run")
    assert [b["text"].split("\n")[0] for b in shown] == [
        "Two icons at the right of the taskbar show the charge."], shown
    assert not s.windows(e2e.GAUGE_CLASS, visible=True), "started in the tray, hidden"

    s.spawn("second", s.bin / "Kavelo.exe")
    assert s.wait_exit("second", timeout=60) == 0
    assert s.probe("find", "--class", e2e.GAUGE_CLASS, "--visible", "--timeout", 10000).ok, \
        "the running gauge did not come into view"
    s.screenshot("second-start")
    assert len(s.windows(e2e.GAUGE_CLASS)) == 1 and s.processes["kavelo"][0].poll() is None
    assert s.close_kavelo() == 0

    s.start_kavelo()
    s.expect_caption("Batterie : 57%")
    assert s.balloons(timeout=3) == [], "a balloon on a later start"
    assert s.close_kavelo() == 0


if __name__ == "__main__":
    e2e.run_test(test)
