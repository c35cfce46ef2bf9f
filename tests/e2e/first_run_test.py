#!/usr/bin/env python3
"""A first start (no settings stored) says in a balloon from the left tray
icon where Kavelo is; a later start says nothing. Read from the shell's own
balloon window (its title, which Wine doesn't give out, shows in the
screenshot first-run.png)."""
import kavelo_e2e as e2e


def test(s):
    s.battery.set(percent=57)
    s.start_kavelo()
    shown = s.balloons(timeout=15)
    s.screenshot("first-run")
    assert len(shown) == 1, shown
    assert shown[0]["text"].startswith("Kavelo shows the charge in two icons"), shown
    assert s.close_kavelo() == 0

    s.start_kavelo()
    s.expect_caption("Batterie : 57%")
    assert s.balloons(timeout=3) == [], "a balloon on a later start"
    assert s.close_kavelo() == 0


if __name__ == "__main__":
    e2e.run_test(test)
