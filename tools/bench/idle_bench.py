#!/usr/bin/env python3
"""Idle benchmark: what Kavelo.exe costs under Wine while it only keeps its
gauge up to date, counted as the CPU time of Kavelo.exe itself, of the shell
(explorer.exe, which draws the notification area) and of wineserver over a
set time, with the tray yardstick of the start-up benchmark
(tray_yardstick.exe: a window and two tray icons, nothing changing) measured
in the same run as the floor; with the blinking state, also the yardstick
that swaps its two icons' ready-made pictures every 500 ms (--blink), the
floor of any blinking tray picture.

    python3 tools/bench/idle_bench.py [--win-dir build/win] [--seconds 20]
        [--rounds 3] [--kavelo before/Kavelo.exe --kavelo after/Kavelo.exe]

The gauge is shown (Position\\Tray = "0") at 57 % on the fake battery, in
three states:
  estimate  on battery, a planted history: the time face 2:05, Timer1 off;
  blinking  on battery, no history yet: Timer1 at 500 ms turns the bar in
            the tray and alternates the face between 8:88 and its blank phase;
  mains     on mains, the percentage face: Timer1 polls every 500 ms and
            nothing changes.
Each round starts each program once per state (a fresh registry each time),
lets it settle, then reads /proc for the measured time. CPU is given in the
kernel's ticks of 1/100 s (utime + stime, whole process) and in milliseconds
of run time (schedstat, summed over the threads alive at the end). Prints
every measurement, then per state and program the median and the range
(lowest-highest) over the rounds. A benchmark, not a test: run it on a quiet
machine (`uptime` below about 0.5). Uses the e2e harness (fake battery,
a warm prefix, a private X server), so it needs root or user namespaces.
"""
import argparse
import os
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests" / "e2e"))
import kavelo_e2e as e2e  # noqa: E402
import gauge_steps as g  # noqa: E402

MS_PER_POINT = 131579  # at 57 %: 7 500 s, shown 2:05
STATES = ("estimate", "blinking", "mains")
ROLES = ("program", "shell", "wineserver")


def prefix_processes(prefix):
    """{pid: command line} of every process running in this Wine prefix."""
    found = {}
    for entry in os.scandir("/proc"):
        if not entry.name.isdigit():
            continue
        try:
            env = Path(entry.path, "environ").read_bytes().split(b"\0")
            if f"WINEPREFIX={prefix}".encode() not in env:
                continue
            cmd = Path(entry.path, "cmdline").read_bytes().replace(b"\0", b" ").decode(
                errors="replace").strip()
            comm = Path(entry.path, "comm").read_text().strip()
        except OSError:
            continue
        found[int(entry.name)] = cmd or comm
    return found


def find_roles(s, exe_name, timeout=30):
    """The pids of the program, the shell and wineserver of the session."""
    deadline = time.monotonic() + timeout
    while True:
        roles = {}
        for pid, cmd in prefix_processes(s.prefix).items():
            name = cmd.split(" ")[0].replace("\\", "/").rsplit("/", 1)[-1].lower()
            if name == exe_name.lower():
                roles["program"] = pid
            elif name == "explorer.exe":
                roles["shell"] = pid
            elif name.startswith("wineserver"):
                roles["wineserver"] = pid
        if len(roles) == len(ROLES):
            return roles
        if time.monotonic() > deadline:
            raise e2e.HarnessError(f"processes of {exe_name}: only {roles} found")
        time.sleep(0.2)


def cpu(pid):
    """(ticks, milliseconds) of CPU the process has used so far."""
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    ticks = int(fields[11]) + int(fields[12])  # utime, stime (fields 14 and 15)
    ns = 0
    for task in os.scandir(f"/proc/{pid}/task"):
        try:
            ns += int(Path(task.path, "schedstat").read_text().split()[0])
        except (OSError, IndexError, ValueError):
            pass
    return ticks, ns / 1e6


def prepare(s, state):
    """A fresh registry and battery for the state, the gauge shown."""
    s.reg_delete(g.STORE)
    g.plant(s, "Position", {"Tray": "0", "Top": "0", "Left": "0"})
    if state == "estimate":
        g.plant_history(s, [(MS_PER_POINT, 1)])
    s.battery.set(percent=57, on_mains=(state == "mains"))


def measure(s, name, exe, cls, seconds, settle, *args):
    s.spawn(name, exe, *args)
    if not s.probe("find", "--class", cls, "--visible", "--timeout", 30000, timeout=60).ok:
        raise e2e.HarnessError(f"no visible {cls} window; " + s.describe(name))
    roles = find_roles(s, Path(exe).name)
    time.sleep(settle)
    before = {r: cpu(pid) for r, pid in roles.items()}
    time.sleep(seconds)
    after = {r: cpu(pid) for r, pid in roles.items()}
    if not s.probe("close", "--class", cls, "--timeout", 5000).ok:
        raise e2e.HarnessError(f"no {cls} window to close; " + s.describe(name))
    code = s.wait_exit(name)
    if code != 0:
        raise e2e.HarnessError(f"{name} ended with exit code {code}")
    return {r: (after[r][0] - before[r][0], after[r][1] - before[r][1]) for r in roles}


def summary(values):
    return f"{statistics.median(values):6.1f} ({min(values):g}-{max(values):g})"


def bench(s, rounds, seconds, settle, kavelo_exes, states=STATES):
    yardstick = s.bin / "tray_yardstick.exe"
    if not yardstick.exists():
        raise e2e.HarnessError(f"{yardstick} is missing: build the Windows tree")
    programs = [(f"kavelo{i + 1}", exe) for i, exe in enumerate(kavelo_exes or [s.bin / "Kavelo.exe"])]
    results = {}  # (state, program) -> [{role: (ticks, ms)}]
    for r in range(rounds):
        runs = [("idle", "yardstick", yardstick, "KaveloTrayYardstick")]
        if "blinking" in states:
            runs.append(("blinking", "yardstick", yardstick, "KaveloTrayYardstick", "--blink"))
        runs += [(state, name, exe, e2e.GAUGE_CLASS) for state in states for name, exe in programs]
        shift = r % len(runs)  # a rotating order, so no one always runs first
        for state, name, exe, cls, *args in runs[shift:] + runs[:shift]:
            if state != "idle":
                prepare(s, state)
            got = measure(s, name, exe, cls, seconds, settle, *args)
            results.setdefault((state, name), []).append(got)
            print(f"round {r + 1} {state:8} {name:9} " + ", ".join(
                f"{role} {got[role][0]} ticks {got[role][1]:.0f} ms" for role in ROLES), flush=True)
    print(f"\nCPU over {seconds:g} s, median (range) of {rounds} rounds; ticks of 1/100 s, "
          f"then milliseconds")
    print(f"{'state':9} {'program':10}" + "".join(f"{role:>22}" for role in ROLES))
    for (state, name), runs in results.items():
        cells = [f"{summary([run[role][0] for run in runs])} / "
                 f"{statistics.median(run[role][1] for run in runs):.0f}" for role in ROLES]
        print(f"{state:9} {name:10}" + "".join(f"{c:>22}" for c in cells))
    for name, exe in programs:
        print(f"{name} = {exe}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--win-dir", default=os.environ.get("KAVELO_WIN_BUILD_DIR",
                                                            str(e2e.REPO / "build" / "win")))
    parser.add_argument("--seconds", type=float, default=20)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--settle", type=float, default=3,
                        help="seconds between the window showing and the measurement")
    parser.add_argument("--kavelo", type=Path, action="append", help="a Kavelo.exe to "
                        "measure, named kavelo1, kavelo2, ... (default: the Windows tree's)")
    parser.add_argument("--state", choices=STATES, action="append",
                        help="only this state (may be given more than once)")
    args = parser.parse_args()
    e2e.enter_private_namespace()
    with e2e.Session("idle_bench", args.win_dir) as s:
        bench(s, args.rounds, args.seconds, args.settle, [exe.resolve() for exe in args.kavelo or []],
              args.state or STATES)


if __name__ == "__main__":
    main()
