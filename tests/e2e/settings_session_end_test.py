#!/usr/bin/env python3
"""What the gauge learns is kept when the machine goes to sleep and when the
session ends, though the window is then never destroyed: the stored history
(newest first) holds the samples measured in this run before the ones it
was loaded with. The interval the sleep falls in is not one of them."""
import kavelo_e2e as e2e
from settings_steps import STORE, stored_settings

PBT_APMSUSPEND = 4

# Slow samples, as a long run on battery leaves them: the estimate stays far
# above the alert threshold while the fake battery drops by seconds.
PLANTED = [("3600000", "6"), ("1200000", "2"), ("540000", "1")]


def drop_to(s, percent):
    """The charge falls; the notification is sent, so that it has been handled
    when this returns."""
    s.battery.set(percent=percent)
    assert s.send(e2e.WM_POWERBROADCAST, e2e.PBT_APMPOWERSTATUSCHANGE) == 1
    s.expect_caption(f"Batterie : {percent}%")


def history(s):
    store = stored_settings(s)
    temps, conso = store.get(r"Moyenne\Temps", {}), store.get(r"Moyenne\Conso", {})
    assert temps.keys() == conso.keys(), (temps, conso)
    return [(temps[str(n)], conso[str(n)]) for n in range(len(temps))]


def measured(sample, points):
    """A sample of this run: a few seconds for `points` points."""
    ms, conso = sample
    return conso == str(points) and 0 < int(ms) < 60000


def test(s):
    for n, (ms, points) in enumerate(PLANTED):
        s.reg_add(STORE + r"\Moyenne\Temps", str(n), "REG_SZ", ms)
        s.reg_add(STORE + r"\Moyenne\Conso", str(n), "REG_SZ", points)
    s.battery.set(percent=57)
    s.start_kavelo()
    s.expect_caption("Batterie : 57%")  # the first reading is taken
    drop_to(s, 56)  # the level seen at the start began at an unknown moment: no sample
    drop_to(s, 55)

    # Going to sleep: the history so far is stored at once.
    assert s.send(e2e.WM_POWERBROADCAST, PBT_APMSUSPEND) == 1
    slept = history(s)
    assert len(slept) == 4 and measured(slept[0], 1) and slept[1:] == PLANTED, slept

    drop_to(s, 53)  # the interval with the sleep in it: no sample
    drop_to(s, 51)
    s.end_session()
    code = s.wait_exit("kavelo")
    e2e.log(f"Kavelo.exe ended with {code} at the end of the session")

    ended = history(s)
    assert len(ended) == 5 and measured(ended[0], 2) and ended[1:] == slept, ended
    settings = stored_settings(s)
    assert (settings[""]["DureeHisto"], settings["Position"]["Tray"]) == ("5", "1"), settings


if __name__ == "__main__":
    e2e.run_test(test)
