"""Steps shared by the gauge_*_test.py scripts: the pictures the gauge should
show, painted by kavelo-render (the program's own drawing code, built
natively), and the screenshots they are compared with pixel for pixel."""

import os
import shutil
import subprocess
import time
from pathlib import Path

import kavelo_e2e as e2e

TRAY_CLASS = "KaveloTrayWindow"
TRAY_CALLBACK = 1279  # WM_USER + 255; lParam carries the mouse message
WM_LBUTTONDBLCLK = 0x0203
PBT_APMRESUMEAUTOMATIC = 18

STORE = r"HKCU\Kavelo"


# ---- the expected pictures ---------------------------------------------

def render_tool(s):
    """kavelo-render of the native tree: $KAVELO_RENDER, else found from the
    working directory (ctest runs the scripts inside the native tree), else
    beside the Windows tree (<root>/win and <root>/native, or <x>-win and
    <x>-native)."""
    if os.environ.get("KAVELO_RENDER"):
        return Path(os.environ["KAVELO_RENDER"])
    candidates = [d / "bin" / "kavelo-render" for d in [Path.cwd(), *Path.cwd().parents]]
    win = s.win_dir
    candidates += [win.parent / "native" / "bin" / "kavelo-render",
                   win.parent / (win.name.removesuffix("win") + "native") / "bin" / "kavelo-render",
                   e2e.REPO / "build" / "native" / "bin" / "kavelo-render"]
    for c in candidates:
        if c.is_file() and os.access(c, os.X_OK):
            return c
    found = shutil.which("kavelo-render")
    if found:
        return Path(found)
    raise e2e.HarnessError("kavelo-render not found: build the native tree or set KAVELO_RENDER")


def render(s, *args):
    """The picture kavelo-render paints with these arguments, as an Image."""
    out = s.run_dir / "expected.ppm"
    out.unlink(missing_ok=True)
    command = [str(render_tool(s))] + [str(a) for a in args] + ["--format", "ppm", "-o", str(out)]
    done = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, timeout=30)
    if done.returncode != 0:
        raise e2e.HarnessError(f"{' '.join(command)} failed:\n{done.stdout.decode()}")
    image = e2e.Image.read_ppm(out)
    out.unlink()
    return image


def scaled(image, k):
    """Each pixel as a k x k block, for pictures a person looks at."""
    rows = []
    for y in range(image.height):
        row = image.rgb[y * image.width * 3:(y + 1) * image.width * 3]
        wide = b"".join(row[i:i + 3] * k for i in range(0, len(row), 3))
        rows.append(wide * k)
    return e2e.Image(image.width * k, image.height * k, b"".join(rows))


def differences(actual, expected):
    """None when equal, else a short account of where they differ."""
    if (actual.width, actual.height) != (expected.width, expected.height):
        return f"size {actual.width}x{actual.height}, expected {expected.width}x{expected.height}"
    if actual.rgb == expected.rgb:
        return None
    wrong = [(x, y) for y in range(actual.height) for x in range(actual.width)
             if actual.pixel(x, y) != expected.pixel(x, y)]
    x, y = wrong[0]
    return (f"{len(wrong)} pixels differ, the first at ({x}, {y}): "
            f"{actual.pixel(x, y)} instead of {expected.pixel(x, y)}")


# ---- the program's state from outside ----------------------------------

def plant(s, section, values):
    """REG_SZ values {name: value} below HKCU\\Kavelo (section "" is the key itself)."""
    key = STORE + ("\\" + section if section else "")
    for name, value in values.items():
        s.reg_add(key, name, "REG_SZ", value)


def plant_history(s, samples):
    """A stored discharge history, newest first: [(Temps, Conso), ...]."""
    for n, (temps, conso) in enumerate(samples):
        plant(s, r"Moyenne\Temps", {str(n): temps})
        plant(s, r"Moyenne\Conso", {str(n): conso})


def stored_history(s):
    """Kavelo\\Moyenne as stored: ({name: Temps}, {name: Conso}) as ints."""
    tree = s.reg_query(STORE + r"\Moyenne") or {}
    root = r"HKEY_CURRENT_USER\Kavelo\Moyenne"
    section = lambda name: {k: int(v.data) for k, v in tree.get(f"{root}\\{name}", {}).items()}
    return section("Temps"), section("Conso")


def leave_tray_only(s):
    """A double-click on a tray icon, as the shell reports it; waits for the
    gauge window to show."""
    s.post(TRAY_CALLBACK, 0, WM_LBUTTONDBLCLK, cls=TRAY_CLASS, message_only=True)
    if not s.probe("find", "--class", e2e.GAUGE_CLASS, "--visible", "--timeout", 10000,
                   timeout=40).ok:
        raise AssertionError("the gauge window did not show after a tray double-click; "
                             + s.describe("kavelo"))


def gauge_rect(s, timeout=10):
    found = s.probe("find", "--class", e2e.GAUGE_CLASS, "--visible", "--timeout",
                    int(timeout * 1000), timeout=timeout + 30).of_kind("window")
    assert found, f"no visible gauge window: {s.window(timeout=0)}"
    return found[0].rect


# ---- comparing with the screen -----------------------------------------

def expect_window_picture(s, expected, name, timeout=15, hold=0.8):
    """Waits until the gauge window on the screen equals `expected` pixel for
    pixel, and still does `hold` seconds later (the percentage face counts
    towards its value, and on mains the timer repaints it every 500 ms).
    Returns the screenshot. On failure the last screen picture and the
    expected one are left, six times their size, in the run directory."""
    deadline = time.monotonic() + timeout
    while True:
        rect = gauge_rect(s)
        screen = s.screenshot(name)
        actual = screen.crop(rect)
        wrong = differences(actual, expected)
        if wrong is None:
            time.sleep(hold)
            screen = s.screenshot(name)
            actual = screen.crop(gauge_rect(s))
            wrong = differences(actual, expected)
            if wrong is None:
                return screen
        if time.monotonic() > deadline:
            scaled(actual, 6).save_png(s.run_dir / f"{name}-actual.png")
            scaled(expected, 6).save_png(s.run_dir / f"{name}-expected.png")
            raise AssertionError(f"{name}: the gauge window at {rect} is not the expected "
                                 f"picture: {wrong} (see {name}-actual.png, {name}-expected.png)")
        time.sleep(0.3)


def find_sprite(screen, sprite, top):
    """Every (x, y) with y >= top where `sprite` appears exactly on the screen."""
    first = sprite.rgb[:sprite.width * 3]
    spots = []
    for y in range(top, screen.height - sprite.height + 1):
        row = screen.rgb[y * screen.width * 3:(y + 1) * screen.width * 3]
        x = row.find(first)
        while x >= 0:
            if x % 3 == 0 and x // 3 + sprite.width <= screen.width:
                if screen.crop((x // 3, y, x // 3 + sprite.width, y + sprite.height)).rgb == sprite.rgb:
                    spots.append((x // 3, y))
            x = row.find(first, x + 1)
    return spots


def taskbar_top(s):
    bars = s.windows(cls="Shell_TrayWnd", visible=True)
    assert bars, "Wine's desktop shows no taskbar"
    return bars[0].rect[1]


def tray_icons(s, screen, left, right):
    """Where the two halves of the tray picture are in the taskbar: (x, y) of
    the left half's icon and of the right half's, each found exactly once."""
    top = taskbar_top(s)
    at_left, at_right = find_sprite(screen, left, top), find_sprite(screen, right, top)
    assert len(at_left) == 1 and len(at_right) == 1, (
        f"tray icons: left half found at {at_left}, right half at {at_right} "
        f"(taskbar from row {top})")
    return at_left[0], at_right[0]
