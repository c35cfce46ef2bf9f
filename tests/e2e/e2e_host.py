"""The machine side of the end-to-end tests: processes with time-outs, the
base Wine prefix and its copies, the private mount namespace with its fake
battery, and private X servers."""

import ctypes
import errno
import fcntl
import os
import select
import shutil
import signal
import subprocess
import sys
import time

from pathlib import Path

SKIP = 77  # ctest SKIP_RETURN_CODE
DESKTOP_SIZE = "800x600"

# Bump when the way the base prefix is made changes: old ones are remade.
PREFIX_RECIPE = 1

_started = time.monotonic()


def log(message):
    print(f"[{time.monotonic() - _started:6.1f}s] {message}", flush=True)


class HarnessError(Exception):
    """The harness itself could not do what was asked (not a product fault)."""


# ---- processes ---------------------------------------------------------

_libc = ctypes.CDLL(None, use_errno=True)


def die_with_parent():
    # PR_SET_PDEATHSIG: if the harness is killed, its children go too.
    _libc.prctl(1, signal.SIGKILL, 0, 0, 0)


def run(args, log_path, env=None, timeout=60, cwd=None):
    """Runs a command to its end with output in log_path; returns its exit code."""
    with open(log_path, "ab") as out:
        proc = subprocess.Popen([str(a) for a in args], stdin=subprocess.DEVNULL, stdout=out,
                                stderr=subprocess.STDOUT, env=env, cwd=cwd,
                                start_new_session=True, preexec_fn=die_with_parent)
    try:
        return proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        kill_group(proc)
        raise HarnessError(f"timed out after {timeout} s: {' '.join(map(str, args))} "
                           f"(output in {log_path})")
    except BaseException:  # the test's deadline, or a signal
        kill_group(proc)
        raise


def kill_group(proc):
    try:
        os.killpg(proc.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        pass


def tail(path, lines=40):
    try:
        text = Path(path).read_text(errors="replace").splitlines()
    except OSError:
        return f"({path}: not written)"
    return "\n".join(text[-lines:]) if text else f"({path}: empty)"


def win_path(path):
    """The Windows name of a Unix path (Wine maps / to drive Z:)."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


# ---- the base prefix ---------------------------------------------------

def _wine_identity():
    # A Wine upgrade makes a prefix update itself on first use; the base
    # prefix is remade instead, so that copies never do that.
    inf = Path("/usr/share/wine/wine.inf")
    stamp = inf.stat().st_mtime_ns if inf.exists() else 0
    wine = shutil.which("wine") or "wine"
    return f"recipe={PREFIX_RECIPE} wine={os.path.realpath(wine)} inf={stamp}\n"


def wine_env(prefix, display=None):
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("WINE", "DISPLAY", "WAYLAND", "XAUTHORITY"))}
    env.update(WINEPREFIX=str(prefix), WINEDEBUG="-all", LC_ALL="C.UTF-8", LANG="C.UTF-8",
               # No Mono or Gecko installer dialogs: nothing here needs them.
               WINEDLLOVERRIDES="mscoree=;mshtml=")
    if display:
        env["DISPLAY"] = display
    return env


def ensure_base_prefix(win_dir, timeout=300):
    """The build tree's base prefix, made once (wineboot -i) and reused.

    A lock file serialises its making between tests that start together;
    a stamp file marks it complete."""
    wine_dir = Path(win_dir).resolve() / "wine"
    wine_dir.mkdir(parents=True, exist_ok=True)
    base, stamp = wine_dir / "prefix", wine_dir / "prefix.stamp"
    identity = _wine_identity()
    with open(wine_dir / "prefix.lock", "w") as lock:
        deadline = time.monotonic() + timeout
        while True:
            try:
                fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
                break
            except OSError as e:
                if e.errno not in (errno.EAGAIN, errno.EACCES) or time.monotonic() > deadline:
                    raise HarnessError(f"could not lock {lock.name}")
                time.sleep(0.2)
        if base.is_dir() and stamp.exists() and stamp.read_text() == identity:
            return base
        log(f"making the base Wine prefix {base}")
        t0 = time.monotonic()
        stamp.unlink(missing_ok=True)
        shutil.rmtree(base, ignore_errors=True)
        boot_log = wine_dir / "prefix-make.log"
        boot_log.unlink(missing_ok=True)
        env = wine_env(base)  # no display needed to make it
        try:
            rc = run(["wineboot", "-i"], boot_log, env, timeout=240)
            if rc != 0:
                raise HarnessError(f"wineboot -i failed ({rc}):\n{tail(boot_log)}")
            # Every program of the prefix on one virtual desktop whose taskbar
            # shows the notification area.
            for args in (["reg", "add", r"HKCU\Software\Wine\Explorer", "/v", "Desktop",
                          "/d", "shell", "/f"],
                         ["reg", "add", r"HKCU\Software\Wine\Explorer\Desktops", "/v", "shell",
                          "/d", DESKTOP_SIZE, "/f"]):
                rc = run(["wine"] + args, boot_log, env, timeout=60)
                if rc != 0:
                    raise HarnessError(f"wine {' '.join(args)} failed ({rc}):\n{tail(boot_log)}")
            run(["wineserver", "-w"], boot_log, env, timeout=60)
        finally:
            run(["wineserver", "-k"], boot_log, env, timeout=30)
        stamp.write_text(identity)
        log(f"base prefix made in {time.monotonic() - t0:.1f} s")
        return base


_BINARY_SUFFIXES = {".dll", ".exe", ".drv", ".sys", ".ocx", ".cpl", ".acm", ".ax", ".tlb",
                    ".nls", ".ttf", ".ttc", ".fon"}


def copy_prefix(base, dest):
    """A private copy of the base prefix (cp -a, but Wine's own program files,
    700 MB of them, are hard links: nothing writes to them)."""
    shutil.rmtree(dest, ignore_errors=True)

    def copy(src, dst):
        if Path(src).suffix.lower() in _BINARY_SUFFIXES:
            try:
                os.link(src, dst)
                return dst
            except OSError:
                pass
        return shutil.copy2(src, dst)

    shutil.copytree(base, dest, symlinks=True, copy_function=copy)


# ---- isolation and the fake battery ------------------------------------

_NS_MARK = "KAVELO_E2E_PRIVATE_MOUNTS"


def enter_private_namespace():
    """Re-executes this script in a private mount namespace (root: unshare -m;
    otherwise a user namespace if the system allows one). Exits with SKIP when
    neither is possible. Returns only inside the namespace."""
    if os.environ.get(_NS_MARK) == "1":
        return
    env = dict(os.environ, **{_NS_MARK: "1"})
    command = [sys.executable, os.path.abspath(sys.argv[0])] + sys.argv[1:]
    if os.geteuid() == 0:
        unshare = ["unshare", "--mount", "--propagation", "private"]
    else:
        unshare = ["unshare", "--map-root-user", "--mount", "--propagation", "private"]
        probe = subprocess.run(unshare + ["true"], stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=20)
        if probe.returncode != 0:
            print("SKIP: a fake battery needs a private mount namespace: run as root "
                  "(sudo scripts/test.sh) or allow user namespaces.", flush=True)
            sys.exit(SKIP)
    sys.stdout.flush()
    os.execvpe(unshare[0], unshare + command, env)


def _in_private_namespace():
    if os.environ.get(_NS_MARK) != "1":
        return False
    try:
        return os.readlink("/proc/self/ns/mnt") != os.readlink("/proc/1/ns/mnt")
    except OSError:
        return True  # /proc/1 not readable from a user namespace: trust the mark


class FakeBattery:
    """/sys/class/power_supply with a mains adapter AC and a battery BAT0, on a
    tmpfs over /sys/class that only this mount namespace sees."""

    # 1 Ah at 11 V drawing 0.5 A: 11.0 Wh full and 5.5 W in the system's
    # battery state. µAh, a multiple of 100, so every percentage is exact.
    CHARGE_FULL = 1_000_000
    CURRENT = 500_000  # µA
    VOLTAGE = 11_000_000  # µV

    def __init__(self, root="/sys/class"):
        self.root = Path(root)
        self.supply = self.root / "power_supply"

    def install(self):
        if not _in_private_namespace():
            raise HarnessError("refusing to mount over /sys/class outside a private namespace")
        rc = subprocess.run(["mount", "-t", "tmpfs", "-o", "mode=0755,size=1m", "kavelo-battery",
                             str(self.root)], stdin=subprocess.DEVNULL, timeout=20).returncode
        if rc != 0:
            raise HarnessError(f"mount tmpfs on {self.root} failed ({rc})")
        (self.supply / "AC").mkdir(parents=True)
        (self.supply / "BAT0").mkdir(parents=True)
        self._write("AC", type="Mains")
        self._write("BAT0", type="Battery")

    def _write(self, device, **values):
        for name, value in values.items():
            (self.supply / device / name).write_text(f"{value}\n")

    def set(self, percent=57, on_mains=False, present=True, status=None):
        """The state the next GetSystemPowerStatus sees. present=False: no
        battery (the system then reports 255 %, battery flag 128)."""
        self._write("AC", online=1 if on_mains else 0)
        bat = self.supply / "BAT0"
        if not present:
            for name in ("status", "charge_full", "charge_now", "current_now", "voltage_now"):
                (bat / name).unlink(missing_ok=True)
            self._write("BAT0", present=0)
            return
        if status is None:
            status = ("Full" if percent >= 100 else "Charging") if on_mains else "Discharging"
        self._write("BAT0", present=1, status=status, charge_full=self.CHARGE_FULL,
                    charge_now=self.CHARGE_FULL // 100 * percent, current_now=self.CURRENT,
                    voltage_now=self.VOLTAGE)


# ---- X server ----------------------------------------------------------

class Xvfb:
    """A private X server. -displayfd lets the server pick a free display
    number itself, so servers started at the same moment never collide."""

    def __init__(self, log_path, size=DESKTOP_SIZE + "x24"):
        self.log_path, self.size, self.proc, self.display = log_path, size, None, None

    def start(self, timeout=30):
        read_fd, write_fd = os.pipe()
        with open(self.log_path, "ab") as out:
            self.proc = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", self.size,
                 "-nolisten", "tcp", "-noreset"],
                stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                pass_fds=(write_fd,), start_new_session=True, preexec_fn=die_with_parent)
        os.close(write_fd)
        number, deadline = b"", time.monotonic() + timeout
        try:
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or not select.select([read_fd], [], [], left)[0]:
                    raise HarnessError(f"Xvfb did not start:\n{tail(self.log_path)}")
                chunk = os.read(read_fd, 16)
                if not chunk:
                    raise HarnessError(f"Xvfb failed:\n{tail(self.log_path)}")
                number += chunk
        finally:
            os.close(read_fd)
        self.display = ":" + number.decode().strip()
        return self

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                kill_group(self.proc)
