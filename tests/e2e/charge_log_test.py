#!/usr/bin/env python3
"""The charge log: a planted eight-day-old row and an unreadable line are gone after a start, a recent row stays;
changes, a sleep, its first wake and the close add rows. A planted day drawn in the details window at 96 and 192 DPI."""
import datetime

import kavelo_e2e as e2e
import settings_steps as st

HEADER = "time,percent,power,event,rate_mw"


def stamp(days_ago):
    then = datetime.datetime.now(datetime.timezone.utc) - datetime.timedelta(days=days_ago)
    return then.strftime("%Y-%m-%dT%H:%M:%SZ")


def rows(path, count, last):
    def ready():
        lines = path.read_bytes().decode().split("\r\n")[:-1]
        return lines if len(lines) == count + 1 and lines[-1].split(",")[3] == last else None
    return st.wait_until(f"{count} rows", ready, timeout=15)


def test(s):
    user = next(p for p in (s.prefix / "drive_c" / "users").iterdir() if p.name != "Public")
    (path := user / "AppData" / "Local" / "Kavelo" / "history.csv").parent.mkdir(parents=True)
    recent = f"{stamp(1)},80,battery,change,-5000"
    path.write_bytes(f"{HEADER}\r\n{stamp(8)},90,mains,change,\r\nnot a row\r\n{recent}\r\n".encode())
    s.start_kavelo()
    assert rows(path, 2, "start")[:2] == [HEADER, recent], path.read_bytes()
    for count, (percent, mains) in enumerate(((56, False), (56, True), (55, True)), start=3):
        s.battery.set(percent=percent, on_mains=mains)
        s.power_status_changed()
        rows(path, count, "change")
    for count, event in ((6, 4), (7, 18), (7, 7)):  # suspend, resume twice: one wake
        s.broadcast(e2e.WM_POWERBROADCAST, event)
        rows(path, count, "sleep" if event == 4 else "wake")
    assert s.close_kavelo() == 0
    lines = rows(path, 8, "stop")
    assert [line.split(",")[1:4] for line in lines[2:]] == [
        ["57", "battery", "start"], ["56", "battery", "change"], ["56", "mains", "change"], ["55", "mains", "change"],
        ["55", "mains", "sleep"], ["55", "mains", "wake"], ["55", "mains", "stop"]], lines
    day = ""
    for h0, h1, p0, p1, power, first, last in ((22, 18, 95, 100, "mains", "start", "stop"),
                                               (10, 6, 100, 60, "battery", "start", "sleep"),
                                               (4.5, 3, 59, 45, "battery", "wake", "change"),
                                               (3, 1, 45, 57, "mains", "change", "change")):
        for i in range(11):
            event = first if i == 0 else last if i == 10 else "change"
            day += f"{stamp((h0 + (h1 - h0) * i / 10) / 24)},{p0 + (p1 - p0) * i // 10},{power},{event},\r\n"
    path.write_bytes(f"{HEADER}\r\n{day}".encode())
    s.battery.set(percent=57)
    for dpi in (96, 192):
        s.reg_add(r"HKCU\Control Panel\Desktop", "LogPixels", "REG_DWORD", dpi)
        s.start_kavelo()
        st.menu_command(s, "Battery &details...")
        st.wait_until("the graph", lambda: any(c["title"].startswith("From 95 % at ") for c in s.controls(st.DIALOG)))
        window = s.windows(st.DIALOG, title="Battery details")[0]
        s.screenshot(f"graph-{dpi}").crop(window.rect).save_png(s.run_dir / f"details-graph-{dpi}.png")
        assert s.close_kavelo() == 0


if __name__ == "__main__":
    e2e.run_test(test, desktop="1280x1024")
