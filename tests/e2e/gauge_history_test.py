#!/usr/bin/env python3
"""The discharge history that the real program measures and stores: after a
start, the first drop records nothing and each later drop one sample of the
time between two readings; a resume from sleep between two readings records
nothing for that interval, and the drop after it starts measuring again.
What is stored at the end is exactly those samples, newest first, in front of
the history stored before."""
import datetime
import time

import kavelo_e2e as e2e
import gauge_steps as g

# An old, slow sample keeps the estimate far above the 10-minute alert
# threshold however fast the test drains the battery (no message box).
OLD_SAMPLE = (6_000_000, 1)


def wait_past_midnight():
    """An interval across local midnight is rightly dropped; don't start one."""
    now = datetime.datetime.now()
    left = (now.replace(hour=0, minute=0, second=0, microsecond=0)
            + datetime.timedelta(days=1) - now).total_seconds()
    if left < 60:
        e2e.log(f"waiting {left:.0f} s for midnight to pass")
        time.sleep(left + 2)


def test(s):
    wait_past_midnight()
    g.plant_history(s, [OLD_SAMPLE])
    s.battery.set(percent=57)
    s.start_kavelo()
    s.expect_caption("Batterie : 57%")

    # Host times round each reading: the reading at p happens after
    # posted[p] and before seen[p].
    posted, seen = {}, {}

    def drop_to(percent, pause):
        time.sleep(pause)
        s.battery.set(percent=percent)
        posted[percent] = time.monotonic()
        s.power_status_changed()
        s.expect_caption(f"Batterie : {percent}%")
        seen[percent] = time.monotonic()

    def resume(event):
        # Broadcast as the system does it, and waited for, so that the resume
        # is handled before the battery changes again.
        time.sleep(1)
        s.broadcast(e2e.WM_POWERBROADCAST, event)

    drop_to(56, 0)    # the first drop after the start: nothing recorded
    drop_to(55, 1)    # sample 56 -> 55
    resume(g.PBT_APMRESUMEAUTOMATIC)
    drop_to(54, 1)    # this interval holds the resume: nothing recorded
    drop_to(53, 1)    # sample 54 -> 53
    resume(e2e.PBT_APMRESUMESUSPEND)
    drop_to(52, 1)    # nothing recorded
    drop_to(51, 1)    # sample 52 -> 51
    assert s.close_kavelo() == 0

    temps, conso = g.stored_history(s)
    e2e.log(f"stored: Temps {temps}, Conso {conso}")
    names = ["0", "1", "2", "3"]
    assert sorted(temps) == names and sorted(conso) == names, (temps, conso)
    assert (temps["3"], conso["3"]) == OLD_SAMPLE, "the stored history must stay behind the new samples"
    assert conso["0"] == conso["1"] == conso["2"] == 1, conso
    for name, (start, end) in zip(names, ((52, 51), (54, 53), (56, 55))):
        low = (posted[end] - seen[start]) * 1000
        high = (seen[end] - posted[start]) * 1000
        assert low - 50 <= temps[name] <= high + 50, (
            f"sample {name} ({start}% to {end}%) lasted {temps[name]} ms; the readings were "
            f"{low:.0f} to {high:.0f} ms apart")

if __name__ == "__main__":
    e2e.run_test(test)
