#!/usr/bin/env python3
"""The "Battery details" window, opened from the context menu, shows the fake
battery's figures (57 %, 5.5 W, 11.0 Wh) and "Unknown" for what Wine's
battery gives no device for, at 96 and 192 DPI; choosing it again opens no
second window, Escape closes it. The tip gains the rate line."""
import time

import kavelo_e2e as e2e
import settings_steps as st

TITLE = "Battery details"
EXPECTED = {"Charge": "57 %", "State": "On battery", "Rate": "5.5 W", "Remaining energy": "6.3 Wh",
            "Full-charge capacity": "11.0 Wh", "Design capacity": "Unknown", "Health": "Unknown",
            "Cycle count": "Unknown", "Voltage": "Unknown", "Time to full (learned)": "Unknown"}


def figures(s):
    """Label -> value, each value being the static control after its label."""
    texts = [c["title"] for c in s.controls(st.DIALOG, title=TITLE)]
    return {label: value for label, value in zip(texts, texts[1:]) if label in EXPECTED}


def open_details(s):
    st.menu_command(s, "Battery &details...")
    assert s.probe("find", "--class", st.DIALOG, "--title", TITLE, "--visible", "--timeout", 10000).ok


def test(s):
    width, height = (int(n) for n in s.desktop.split("x"))
    s.reg_add(st.STORE, "Planted", "REG_SZ", "no first-run balloon over the tip")
    for dpi in (96, 192):
        s.reg_add(r"HKCU\Control Panel\Desktop", "LogPixels", "REG_DWORD", dpi)
        s.start_kavelo()
        s.expect_caption("Batterie : 57%")
        open_details(s)
        st.wait_until("the figures", lambda: figures(s) == EXPECTED)
        open_details(s)  # brought to the front, not opened again
        assert len(s.windows(st.DIALOG, title=TITLE)) == 1
        s.screenshot(f"details-{dpi}")

        s.xdotool("key", "Escape")
        st.wait_dialog_gone(s, TITLE)
        if dpi == 96:
            # The pointer on the notification area's icons: the tip with the rate.
            s.xdotool("mousemove", width - 10, height - 10)
            tips = st.wait_until("the tip", lambda: [b["text"] for b in s.balloons(timeout=5)])
            assert any("\nDischarging at 5.5 W" in t for t in tips), tips
            time.sleep(1)
            s.screenshot("tip-rate")
            s.xdotool("mousemove", width // 2, height // 2)
        assert s.close_kavelo() == 0


if __name__ == "__main__":
    e2e.run_test(test, desktop="1280x1024")
