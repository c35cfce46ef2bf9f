#!/usr/bin/env python3
"""End-to-end harness: the real Kavelo.exe under Wine and Xvfb, driven from outside.

A test is a script tests/e2e/<name>_test.py (registered with ctest as
e2e.<name>) that calls run_test() with a function taking a Session:

    import kavelo_e2e as e2e

    def test(s):
        s.battery.set(percent=57)
        s.start_kavelo()
        s.expect_caption("Batterie : 57%")
        s.battery.set(percent=56)
        s.power_status_changed()
        s.expect_caption("Batterie : 56%")
        assert s.close_kavelo() == 0

    if __name__ == "__main__":
        e2e.run_test(test)

Each session has its own X server (Xvfb), its own copy of the build tree's
base Wine prefix (so its own wineserver and a clean registry) and, as root in
a private mount namespace, its own fake battery under /sys/class, where
Wine's GetSystemPowerStatus reads it. Everything it starts is killed on the
way out, also after a failure, and every wait has a time-out.

What a Session offers (see the methods for details):
  battery.set(percent=, on_mains=, present=, status=)   the fake battery
  start_kavelo(), close_kavelo() -> exit code, spawn(name, exe, *args),
  wait_exit(name), end_session()                         programs
  window(cls), windows(), caption(cls), expect_caption(title, cls=)
  post(), send(), broadcast(), power_status_changed(broadcast=False)
  menu(), click_menu_item(pos, menu=), controls(cls), balloons(timeout=),
  probe(*kprobe args)
  screenshot(name) -> Image (crop(rect), pixel(x, y), colours(), save_png())
  xdotool(*args)                                         real pointer input
  reg_query(key), reg_export(key), reg_add(...), reg_delete(key)

kprobe.exe (tests/probe) does the looking and clicking inside Wine. Wine's
output always goes to files: a pipe would be inherited by wineserver and
never close. The run's files (logs, kprobe output, screenshots, registry
dumps) stay in <win build>/wine/runs/<name>/.

Command line of a test script: [--win-dir DIR] [--keep-prefix].
`python3 kavelo_e2e.py prefix --win-dir DIR` makes the base prefix only.
e2e_host.py holds the machine side (processes, prefixes, the namespace and
battery, Xvfb), e2e_formats.py what is read back (images, kprobe output,
registry listings).
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import time
import traceback
from pathlib import Path

# Tests use these through this module too.
from e2e_formats import (Image, ProbeResult, Record, RegValue,  # noqa: F401
                         parse_probe_output, parse_reg_query)
from e2e_host import (SKIP, FakeBattery, HarnessError, Xvfb, copy_prefix,  # noqa: F401
                      die_with_parent, enter_private_namespace, ensure_base_prefix, kill_group,
                      log, run, tail, win_path, wine_env)

REPO = Path(__file__).resolve().parents[2]

WM_CLOSE = 0x0010
WM_COMMAND = 0x0111
WM_POWERBROADCAST = 0x0218
PBT_APMPOWERSTATUSCHANGE = 10
PBT_APMRESUMESUSPEND = 7

GAUGE_CLASS = "TBatterie"


# ---- a session ---------------------------------------------------------

class Session:
    def __init__(self, name, win_dir, battery=True, keep_prefix=False, desktop=None):
        self.name = name
        self.desktop = desktop  # "WxH" for a larger screen and Wine desktop than the prefix's
        self.win_dir = Path(win_dir).resolve()
        self.bin = self.win_dir / "bin"
        self.run_dir = self.win_dir / "wine" / "runs" / name
        self.prefix = self.run_dir / "prefix"
        self.battery = FakeBattery() if battery else None
        self.keep_prefix = keep_prefix
        self.xvfb = None
        self.env = None
        self.processes = {}  # name -> (Popen, log path)
        self._probes = 0

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        for exe in ("Kavelo.exe", "kprobe.exe", "kprobe_hook.dll"):
            if not (self.bin / exe).exists():
                raise HarnessError(f"{self.bin / exe} is missing: build the Windows tree first")
        shutil.rmtree(self.run_dir, ignore_errors=True)
        self.run_dir.mkdir(parents=True)
        if self.battery:
            self.battery.install()
            self.battery.set(percent=57)
        base = ensure_base_prefix(self.win_dir)
        t0 = time.monotonic()
        copy_prefix(base, self.prefix)
        self.xvfb = Xvfb(self.run_dir / "xvfb.log", **({"size": self.desktop + "x24"} if self.desktop else {})).start()
        self.env = wine_env(self.prefix, self.xvfb.display)
        if self.desktop:  # before any window: the desktop takes its size when it is made
            self.reg_add(r"HKCU\Software\Wine\Explorer\Desktops", "shell", "REG_SZ", self.desktop)
            run(["wineserver", "-w"], self.run_dir / "wineserver.log", self.env, timeout=60)
        # Bring the prefix up (wineserver, services, the desktop) with one
        # quick program run to its end before starting any other.
        if not self.probe("list", timeout=120).ok:
            raise HarnessError(f"Wine did not come up:\n{tail(self.run_dir / 'probe-001.log')}")
        log(f"session {self.name}: display {self.xvfb.display}, prefix ready in "
            f"{time.monotonic() - t0:.1f} s")

    def stop(self):
        if self.env:
            try:
                run(["wineserver", "-k"], self.run_dir / "wineserver.log", self.env, timeout=30)
            except HarnessError as e:
                log(str(e))
        for proc, _ in self.processes.values():
            if proc.poll() is None:
                kill_group(proc)
        if self.xvfb:
            self.xvfb.stop()
        # The registry as the programs left it (wineserver writes it on exit).
        for hive in ("user.reg", "system.reg"):
            if (self.prefix / hive).exists():
                shutil.copy2(self.prefix / hive, self.run_dir / hive)
        if not self.keep_prefix:
            shutil.rmtree(self.prefix, ignore_errors=True)

    def record_failure(self):
        """Leaves a screenshot and the list of visible windows after a failure."""
        if not (self.xvfb and self.xvfb.proc and self.xvfb.proc.poll() is None and self.env):
            return
        try:
            self.screenshot("failure")
            for w in self.probe("list", "--visible", timeout=20).of_kind("window"):
                log(f"visible: {w['class']} {w['title']!r} {w['rect']} pid {w['pid']}")
            log(f"screenshot: {self.run_dir / 'failure.png'}")
        except Exception as e:  # evidence only: the failure itself is already reported
            log(f"no screenshot of the failure: {e}")

    # -- running programs

    def wine(self, args, log_name, timeout=60):
        """Runs a Windows program to its end; returns its exit code. When
        Wine's launcher itself fails (seen under load: "ShellExecuteEx
        failed"), the program never ran, so it is started once more."""
        for attempt in (1, 2):
            start = (self.run_dir / log_name).stat().st_size if (self.run_dir / log_name).exists() else 0
            rc = run(["wine"] + list(args), self.run_dir / log_name, self.env, timeout,
                     cwd=self.run_dir)
            with open(self.run_dir / log_name, "rb") as f:
                f.seek(start)
                launched = b"ShellExecuteEx failed" not in f.read()
            if rc == 0 or launched or attempt == 2:
                return rc
            log(f"wine could not start {Path(str(args[0])).name}; once more")

    def spawn(self, name, exe, *args):
        """Starts a Windows program in the background (output in <name>.log)."""
        log_path = self.run_dir / f"{name}.log"
        with open(log_path, "ab") as out:
            proc = subprocess.Popen(["wine", str(exe)] + [str(a) for a in args],
                                    stdin=subprocess.DEVNULL, stdout=out,
                                    stderr=subprocess.STDOUT, env=self.env, cwd=self.run_dir,
                                    start_new_session=True, preexec_fn=die_with_parent)
        self.processes[name] = (proc, log_path)
        return proc

    def wait_exit(self, name, timeout=30):
        """The exit code of a spawned program, waiting for it to end."""
        proc, log_path = self.processes[name]
        try:
            return proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"{name} still running {timeout} s later\n{tail(log_path)}")

    def describe(self, name):
        proc, log_path = self.processes[name]
        state = "running" if proc.poll() is None else f"exited with {proc.returncode}"
        return f"{name} {state}; its output:\n{tail(log_path)}"

    def start_kavelo(self, wait=True, timeout=60):
        self.spawn("kavelo", self.bin / "Kavelo.exe")
        if wait:
            if not self.probe("find", "--class", GAUGE_CLASS, "--timeout", timeout * 1000,
                              timeout=timeout + 30).ok:
                raise AssertionError(f"no {GAUGE_CLASS} window after {timeout} s; "
                                     + self.describe("kavelo"))

    def close_kavelo(self, timeout=30):
        """Posts WM_CLOSE to the gauge window; the program's exit code."""
        if not self.probe("close", "--class", GAUGE_CLASS, "--timeout", 5000).ok:
            raise AssertionError(f"no {GAUGE_CLASS} window to close; " + self.describe("kavelo"))
        return self.wait_exit("kavelo", timeout)

    # -- looking and driving

    def probe(self, *args, timeout=60):
        """Runs kprobe.exe with these arguments (see tests/probe/kprobe.cpp).
        A looking command that leaves no output file at all never got going
        (seen once with several Wine sessions busy at once): it is run again
        once. Commands that act are never repeated."""
        looking = str(args[0]) in ("list", "find", "gone", "menu", "controls", "tip") if args else False
        for attempt in ((1, 2) if looking else (2,)):
            self._probes += 1
            out = self.run_dir / f"probe-{self._probes:03d}.txt"
            rc = self.wine([self.bin / "kprobe.exe", win_path(out)] + [str(a) for a in args],
                           f"probe-{self._probes:03d}.log", timeout)
            if out.exists():
                break
            log(f"kprobe {' '.join(map(str, args[:1]))} left no output (exit code {rc})"
                + ("; once more" if attempt == 1 else ""))
        text = out.read_text(encoding="utf-8", errors="replace") if out.exists() else ""
        return ProbeResult(rc, parse_probe_output(text))

    def windows(self, cls=None, title=None, visible=False):
        args = []
        if cls:
            args += ["--class", cls]
        if title is not None:
            args += ["--title", title]
        if visible:
            args.append("--visible")
        return self.probe("list", *args).of_kind("window")

    def window(self, cls=GAUGE_CLASS, timeout=10):
        """The first window of that class (waiting for it), or None."""
        found = self.probe("find", "--class", cls, "--timeout", int(timeout * 1000),
                           timeout=timeout + 30).of_kind("window")
        return found[0] if found else None

    def caption(self, cls=GAUGE_CLASS):
        w = self.window(cls, timeout=0)
        return w["title"] if w else None

    def expect_caption(self, title, cls=GAUGE_CLASS, timeout=15):
        """Waits until a window of class cls has this caption."""
        if self.probe("find", "--class", cls, "--title", title, "--timeout",
                      int(timeout * 1000), timeout=timeout + 30).ok:
            return
        message = f"{cls} caption: expected {title!r}, got {self.caption(cls)!r}"
        if "kavelo" in self.processes:
            message += "; " + self.describe("kavelo")
        raise AssertionError(message)

    def post(self, msg, wparam=0, lparam=0, cls=GAUGE_CLASS, message_only=False):
        r = self.probe("post", "--class", cls, *(["--message"] if message_only else []), "--timeout",
                       5000, msg, wparam, lparam)
        if not r.ok:
            raise AssertionError(f"could not post {msg:#x} to {cls}: {r}")

    def send(self, msg, wparam=0, lparam=0, cls=GAUGE_CLASS, timeout=10):
        """SendMessageTimeout; returns the window procedure's result."""
        r = self.probe("send", "--class", cls, "--timeout", 5000, "--msg-timeout",
                       int(timeout * 1000), msg, wparam, lparam, timeout=timeout + 30)
        if not r.ok:
            raise AssertionError(f"could not send {msg:#x} to {cls}: {r}")
        return int(r.of_kind("result")[0]["value"])

    def broadcast(self, msg, wparam=0, lparam=0, timeout=10):
        r = self.probe("broadcast", "--msg-timeout", int(timeout * 1000), msg, wparam, lparam,
                       timeout=timeout + 30)
        if not r.ok:
            raise AssertionError(f"broadcast of {msg:#x} failed: {r}")

    def power_status_changed(self, broadcast=False):
        """What Windows does when the power status changes: WM_POWERBROADCAST
        with PBT_APMPOWERSTATUSCHANGE, posted to the gauge window or sent to
        every top-level window."""
        if broadcast:
            self.broadcast(WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE)
        else:
            self.post(WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE)

    def balloons(self, timeout=10):
        """The notification balloons the shell shows (Records of kind "balloon",
        with text and rect, and title where the system answers for it: Wine 8
        doesn't), waiting up to timeout for the first; [] when none shows."""
        r = self.probe("tip", "--class", "tooltips_class32", "--visible", "--timeout",
                       int(timeout * 1000), timeout=timeout + 30)
        return [b for b in r.of_kind("balloon") if b["text"]]

    def menu(self, timeout=10):
        """The items of the open popup menus (Records of kind "menu" and "item")."""
        r = self.probe("menu", "--timeout", int(timeout * 1000), timeout=timeout + 30)
        if not r.ok:
            raise AssertionError(f"no readable popup menu: {r}")
        return r.records

    def click_menu_item(self, pos, menu=None, timeout=10):
        args = ["menuclick", pos, "--timeout", int(timeout * 1000)]
        if menu is not None:
            args += ["--menu", menu]
        r = self.probe(*args, timeout=timeout + 30)
        if not r.ok:
            raise AssertionError(f"could not click menu item {pos}: {r}")

    def controls(self, cls="#32770", title=None):
        args = ["controls", "--class", cls, "--timeout", 5000]
        if title is not None:
            args += ["--title", title]
        r = self.probe(*args)
        if not r.ok:
            raise AssertionError(f"no {cls} window: {r}")
        return r.of_kind("control")

    def xdotool(self, *args):
        """Real pointer or keyboard input through X, e.g. xdotool("mousemove",
        790, 590, "click", "1"); Wine's desktop covers the screen from (0, 0)."""
        rc = run(["xdotool"] + [str(a) for a in args], self.run_dir / "xdotool.log",
                 dict(os.environ, DISPLAY=self.xvfb.display), timeout=30)
        if rc != 0:
            raise HarnessError(f"xdotool failed ({rc}):\n{tail(self.run_dir / 'xdotool.log')}")

    def end_session(self, timeout=60):
        """Logoff as Windows does it: WM_QUERYENDSESSION and WM_ENDSESSION, then
        the processes end without their windows being destroyed."""
        return self.wine(["wineboot", "--end-session"], "end-session.log", timeout)

    def screenshot(self, name):
        """The whole X screen, also saved as <run dir>/<name>.png."""
        ppm = self.run_dir / f"{name}.ppm"
        rc = run(["import", "-window", "root", "-depth", "8", f"ppm:{ppm}"],
                  self.run_dir / "import.log", dict(os.environ, DISPLAY=self.xvfb.display),
                  timeout=60)
        if rc != 0:
            raise HarnessError(f"import failed ({rc}):\n{tail(self.run_dir / 'import.log')}")
        image = Image.read_ppm(ppm)
        ppm.unlink()
        image.save_png(self.run_dir / f"{name}.png")
        return image

    # -- registry

    def reg_query(self, key):
        """`reg query KEY /s`, parsed (see parse_reg_query); None if the key is missing."""
        out = self.run_dir / "reg-query.txt"
        out.unlink(missing_ok=True)
        rc = run(["wine", "reg", "query", key, "/s"], out, self.env, timeout=60)
        text = out.read_text(encoding="utf-8", errors="replace")
        return parse_reg_query(text) if rc == 0 else None

    def reg_export(self, key, name="export"):
        """`reg export`: the .reg text, or None if the key is missing."""
        out = self.run_dir / f"{name}.reg"
        out.unlink(missing_ok=True)
        rc = self.wine(["reg", "export", key, win_path(out), "/y"], "reg.log")
        if rc != 0 or not out.exists():
            return None
        data = out.read_bytes()
        return data.decode("utf-16") if data[:2] == b"\xff\xfe" else data.decode("utf-8", "replace")

    def reg_add(self, key, name, kind, data):
        rc = self.wine(["reg", "add", key, "/v", name, "/t", kind, "/d", str(data), "/f"],
                       "reg.log")
        if rc != 0:
            raise HarnessError(f"reg add {key} {name} failed:\n{tail(self.run_dir / 'reg.log')}")

    def reg_delete(self, key):
        self.wine(["reg", "delete", key, "/f"], "reg.log")


# ---- running a test script ---------------------------------------------

def arguments(argv=None):
    parser = argparse.ArgumentParser()
    parser.add_argument("--win-dir", default=os.environ.get("KAVELO_WIN_BUILD_DIR",
                                                            str(REPO / "build" / "win")))
    parser.add_argument("--keep-prefix", action="store_true",
                        help="leave the session's prefix copy in its run directory")
    return parser.parse_known_args(argv)


def _on_alarm(signum, frame):
    raise HarnessError("the test's deadline passed")


def _on_term(signum, frame):
    raise HarnessError(f"stopped by signal {signum}")


def run_test(test, name=None, battery=True, deadline=240, desktop=None):
    """Runs test(session) in a fresh session and exits with 0 (pass), 1 (fail)
    or SKIP. battery=True (the default) needs a private mount namespace."""
    args, _ = arguments()
    if battery:
        enter_private_namespace()
    name = name or Path(sys.argv[0]).stem.removesuffix("_test")
    signal.signal(signal.SIGALRM, _on_alarm)
    signal.signal(signal.SIGTERM, _on_term)
    signal.alarm(deadline)
    session = Session(name, args.win_dir, battery=battery, keep_prefix=args.keep_prefix, desktop=desktop)
    t0 = time.monotonic()
    try:
        session.start()
        test(session)
    except Exception:
        traceback.print_exc()
        signal.alarm(60)  # a last minute for the evidence and the cleaning up
        session.record_failure()
        session.stop()
        print(f"FAILED: {name} after {time.monotonic() - t0:.1f} s; files in {session.run_dir}",
              flush=True)
        sys.exit(1)
    finally:
        signal.alarm(0)
    session.stop()
    print(f"PASSED: {name} in {time.monotonic() - t0:.1f} s; files in {session.run_dir}",
          flush=True)
    sys.exit(0)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("command", choices=["prefix"])
    parser.add_argument("--win-dir", required=True)
    ensure_base_prefix(Path(parser.parse_args().win_dir).resolve())
