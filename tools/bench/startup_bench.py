#!/usr/bin/env python3
"""Start-up benchmark: how long Kavelo.exe takes under Wine from its start to
its first painted face, against two yardsticks measured in the same run: a
minimal Win32 program that opens one window (tools/bench/minimal_window.cpp)
and the fair one for a tray gauge, tray_yardstick.exe (tools/bench), which
also loads and initialises the same system DLLs and adds two tray icons.

    python3 tools/bench/startup_bench.py [--win-dir build/win] [--rounds 9]
        [--kavelo build/release/bin/Kavelo.exe [--kavelo other/Kavelo.exe]]

A Kavelo.exe built with KAVELO_STARTUP_TRACE=ON writes the milliseconds of
each stage of its start; the benchmark prints their medians.

Both programs start in one warm Wine prefix (wineserver and the desktop
already up) on a private X server, as `wine <exe>` from a fresh process, and
the clock stops when the screen shows the finished picture at the window's
place, read straight from the X server every 2 ms:
  - Kavelo.exe: the gauge window (shown at start: Position\\Tray = "0") with
    its time face for a planted history, 57 % on the fake battery, exactly as
    kavelo-render paints it (the window shows nothing else first: the
    percentage face that is painted for 100 at creation is replaced by the
    first refresh before the window is shown);
  - minimal_window.exe and tray_yardstick.exe: an 80 x 24 window filled
    with blue.
Each round starts each program once (in rotating order), then closes it
with WM_CLOSE and waits until it has ended and its window is gone. One warm-up
start of each is not counted. Prints every round, the medians and their ratio.
Needs root, or user namespaces, for the fake battery (like the e2e tests).
"""
import argparse
import ctypes
import os
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests" / "e2e"))
import kavelo_e2e as e2e  # noqa: E402
import gauge_steps as g  # noqa: E402

MS_PER_POINT = 131579  # at 57 %: 7 500 s, shown 2:05
BLUE = bytes((0, 0, 255))


class ScreenReader:
    """Reads a rectangle of the X screen with XGetImage (about 0.1 ms for the
    gauge's size, where a screenshot tool takes a tenth of a second)."""

    class XImage(ctypes.Structure):
        _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int),
                    ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
                    ("data", ctypes.POINTER(ctypes.c_ubyte)),
                    ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                    ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                    ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                    ("bits_per_pixel", ctypes.c_int)]

    def __init__(self, display):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XGetImage.restype = ctypes.POINTER(self.XImage)
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x.XFree.argtypes = [ctypes.c_void_p]
        self.x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.dpy = self.x.XOpenDisplay(display.encode())
        if not self.dpy:
            raise e2e.HarnessError(f"cannot open display {display}")
        self.root = self.x.XDefaultRootWindow(self.dpy)

    def rgb(self, left, top, width, height):
        """The rectangle as RGB bytes, rows top first."""
        image = self.x.XGetImage(self.dpy, self.root, left, top, width, height,
                                 0xFFFFFFFF, 2)  # AllPlanes, ZPixmap
        if not image:
            raise e2e.HarnessError("XGetImage failed")
        im = image.contents
        if im.bits_per_pixel != 32 or im.byte_order != 0:
            raise e2e.HarnessError(f"unexpected X image: {im.bits_per_pixel} bpp, "
                                   f"byte order {im.byte_order}")
        raw = ctypes.string_at(im.data, im.bytes_per_line * height)
        self.x.XFree(im.data)
        self.x.XFree(image)
        bgrx = b"".join(raw[y * im.bytes_per_line:y * im.bytes_per_line + width * 4]
                        for y in range(height))
        out = bytearray(width * height * 3)
        out[0::3], out[1::3], out[2::3] = bgrx[2::4], bgrx[1::4], bgrx[0::4]
        return bytes(out)

    def close(self):
        self.x.XCloseDisplay(self.dpy)


class Program:
    def __init__(self, name, exe, cls, picture):
        self.name, self.exe, self.cls, self.picture = name, exe, cls, picture
        self.times = []    # start to the finished picture
        self.changes = []  # start to the first change at the window's place


def first_paint(s, screen, program, timeout=60):
    """Starts the program; seconds until the place of its window first shows
    anything else than before, and until it shows the finished picture."""
    w, h = program.picture.width, program.picture.height
    before = screen.rgb(0, 0, w, h)
    if before == program.picture.rgb:
        raise e2e.HarnessError(f"{program.name}'s picture is on the screen before its start")
    changed = None
    t0 = time.monotonic()
    s.spawn(program.name, program.exe)
    while (now := screen.rgb(0, 0, w, h)) != program.picture.rgb:
        if changed is None and now != before:
            changed = time.monotonic() - t0
        if time.monotonic() - t0 > timeout:
            raise e2e.HarnessError(f"{program.name} showed no picture in {timeout} s; "
                                   + s.describe(program.name))
        time.sleep(0.002)
    done = time.monotonic() - t0
    return (changed if changed is not None else done), done


def close(s, screen, program):
    if not s.probe("close", "--class", program.cls, "--timeout", 5000).ok:
        raise e2e.HarnessError(f"no {program.cls} window to close; " + s.describe(program.name))
    code = s.wait_exit(program.name)
    if code != 0:
        raise e2e.HarnessError(f"{program.name} ended with exit code {code}")
    w, h = program.picture.width, program.picture.height
    deadline = time.monotonic() + 10
    while screen.rgb(0, 0, w, h) == program.picture.rgb:
        if time.monotonic() > deadline:
            raise e2e.HarnessError(f"{program.name}'s window stays on the screen after its end")
        time.sleep(0.01)


def bench(s, rounds, kavelo_exes):
    for exe in ("minimal_window.exe", "tray_yardstick.exe"):
        if not (s.bin / exe).exists():
            raise e2e.HarnessError(f"{s.bin / exe} is missing: build the Windows tree")
    trace = s.run_dir / "startup-trace.txt"
    s.env["KAVELO_STARTUP_TRACE"] = e2e.win_path(trace)
    g.plant_history(s, [(MS_PER_POINT, 1)])
    g.plant(s, "Position", {"Tray": "0", "Top": "0", "Left": "0"})
    s.battery.set(percent=57)
    face = g.render(s, "time", "--seconds", MS_PER_POINT * 57 // 1000, "--percent", 57,
                    "--view", "window")
    blue = e2e.Image(80, 24, BLUE * (80 * 24))
    programs = [Program("minimal", s.bin / "minimal_window.exe", "KaveloMinimalWindow", blue),
                Program("yardstick", s.bin / "tray_yardstick.exe", "KaveloTrayYardstick", blue)]
    programs += [Program(f"kavelo{i + 1}", exe, e2e.GAUGE_CLASS, face)
                 for i, exe in enumerate(kavelo_exes or [s.bin / "Kavelo.exe"])]
    screen = ScreenReader(s.xvfb.display)
    try:
        for p in programs:  # warm-up, not counted
            first_paint(s, screen, p)
            close(s, screen, p)
        for r in range(rounds):
            order = programs[r % len(programs):] + programs[:r % len(programs)]
            for p in order:
                changed, done = first_paint(s, screen, p)
                p.changes.append(changed)
                p.times.append(done)
                close(s, screen, p)
            print(f"round {r + 1}: " + ", ".join(
                f"{p.name} {p.times[-1] * 1000:.0f} ms (first change {p.changes[-1] * 1000:.0f} ms)"
                for p in programs), flush=True)
    finally:
        screen.close()
    minimal, yardstick = (statistics.median(p.times) for p in programs[:2])
    print(f"median start to first painted face over {rounds} rounds: minimal_window.exe "
          f"{minimal * 1000:.0f} ms, tray_yardstick.exe {yardstick * 1000:.0f} ms", flush=True)
    for p in programs[2:]:
        kavelo = statistics.median(p.times)
        print(f"  {p.name} {p.exe}: {kavelo * 1000:.0f} ms, ratio to the tray yardstick "
              f"{kavelo / yardstick:.2f}, to the minimal window {kavelo / minimal:.2f}", flush=True)
    print("median start to the first change at the window's place: " + ", ".join(
        f"{p.name} {statistics.median(p.changes) * 1000:.0f} ms" for p in programs), flush=True)
    if trace.exists():  # "   12.34 ms  stage" lines, one block per start
        stages = {}
        for line in trace.read_text().splitlines():
            ms, _, stage = line.strip().partition(" ms  ")
            stages.setdefault(stage, []).append(float(ms))
        print("Kavelo.exe's own trace, medians since its process was created:")
        for stage, times in stages.items():
            print(f"  {statistics.median(times):8.1f} ms  {stage}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--win-dir", default=os.environ.get("KAVELO_WIN_BUILD_DIR",
                                                            str(e2e.REPO / "build" / "win")))
    parser.add_argument("--rounds", type=int, default=9)
    parser.add_argument("--kavelo", type=Path, action="append", help="a Kavelo.exe to "
                        "measure, named kavelo1, kavelo2, ... (default: the Windows tree's)")
    args = parser.parse_args()
    e2e.enter_private_namespace()
    with e2e.Session("startup_bench", args.win_dir) as s:
        bench(s, args.rounds, [exe.resolve() for exe in args.kavelo or []])


if __name__ == "__main__":
    main()
