#!/usr/bin/env python3
"""Charging on mains with the charge alert on: the fake battery rising from
79 to 80 % shows one balloon (its text read from the shell's window),
however many readings follow; with the alert off, none. The two values, and
the rises learned meanwhile, survive a restart."""
import kavelo_e2e as e2e
from settings_steps import STORE, stored_settings

LEARNED = {"80-0": "1", "80-1": "1"}  # 80 -> 81 and 81 -> 82; 79 -> 80 began unseen


def charge_to(s, *percents):
    for percent in percents:
        s.battery.set(percent=percent, on_mains=True)
        s.power_status_changed()
        s.expect_caption(f"Batterie : {percent}%")


def test(s):
    for on in ("1", "0"):
        s.reg_add(STORE, "AlerteCharge", "REG_SZ", on)
        before = {b["hwnd"] for b in s.balloons(timeout=0)}
        s.battery.set(percent=79, on_mains=True)
        s.start_kavelo()
        charge_to(s, 79, 80)
        shown = [b for b in s.balloons(timeout=5 if on == "1" else 2) if b["hwnd"] not in before]
        if on == "1":
            s.screenshot("charged")
            assert [b["text"] for b in shown] == ["You can unplug the charger."], shown
            charge_to(s, 81, 82)  # above the level: nothing new
            assert {b["hwnd"] for b in s.balloons(timeout=0)} - before == {shown[0]["hwnd"]}
        else:
            assert shown == [], "a balloon with the alert off"
        assert s.close_kavelo() == 0
        stored = stored_settings(s)
        assert (stored[""]["AlerteCharge"], stored[""]["SeuilAlerteCharge"]) == (on, "80"), stored[""]
        assert stored[r"Recharge\Conso"] == LEARNED, stored


if __name__ == "__main__":
    e2e.run_test(test)
