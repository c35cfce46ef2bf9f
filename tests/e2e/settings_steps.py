"""Steps shared by the settings tests: the tray icons' callbacks, context-menu
commands by caption, the system colour chooser, and the store read back."""
import time

import kavelo_e2e as e2e

TRAY_WINDOW = "KaveloTrayWindow"
TRAY_CALLBACK = 1279
WM_LBUTTONDBLCLK = 0x203
WM_RBUTTONUP = 0x205

STORE = r"HKCU\Kavelo"
USER_RUN = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
MACHINE_RUN = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"

DIALOG = "#32770"
IDOK = 1


def tray_event(s, mouse_message):
    """What the shell sends a tray icon's window for a mouse event."""
    s.post(TRAY_CALLBACK, 0, mouse_message, cls=TRAY_WINDOW, message_only=True)


def menu_command(s, *captions):
    """Opens the context menu with a right click on a tray icon and clicks
    through the items with these captions (a submenu, then its item).
    Returns the items of the top menu as they were when it opened."""
    assert s.probe("gone", "--class", "#32768", "--visible", "--timeout", 5000).ok, \
        "a menu is still open"
    tray_event(s, WM_RBUTTONUP)
    top = None
    for level, caption in enumerate(captions):
        items = wait_until(f"menu {level} open", lambda: [
            r for r in s.menu() if r.kind == "item" and r["menu"] == str(level)])
        top = top or items
        match = [r for r in items if r["text"] == caption]
        assert match, f"no menu item {caption!r} in {[r['text'] for r in items]}"
        s.click_menu_item(int(match[0]["pos"]), menu=level)
    return top


def checks(items):
    """Caption -> checked, for the items of a menu."""
    return {r["text"]: r.flag("checked") for r in items if not r.flag("separator")}


def wait_until(what, condition, timeout=10):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"{what}: not so after {timeout} s")
        time.sleep(0.2)


def controls_by_id(s, title):
    """The controls of the dialog with this caption, once it is shown (and
    so filled in)."""
    assert s.probe("find", "--class", DIALOG, "--title", title, "--visible",
                   "--timeout", 10000).ok, f"no {title!r} dialog"
    return {int(c["id"]): c for c in s.controls(DIALOG, title=title)}


def click_control(s, title, control_id):
    assert s.probe("click", "--class", DIALOG, "--title", title, "--child", control_id,
                   "--timeout", 5000).ok, f"no control {control_id} in {title!r}"


def wait_dialog_gone(s, title):
    assert s.probe("gone", "--class", DIALOG, "--title", title, "--timeout", 10000).ok, \
        f"the {title!r} dialog is still open"


# The system colour chooser (Wine's comdlg32): the 8 x 6 grid of basic
# colours is one control; its red, green and blue fields, hidden until the
# chooser is opened wide, hold the colour it was preset to.
COLOUR_GRID, RED_FIELD, GREEN_FIELD, BLUE_FIELD = 720, 706, 707, 708


def choose_basic_colour(s, column, row):
    """In the colour chooser that is opening: clicks the basic colour at
    (column, row) with the pointer and confirms with OK. Returns the colour
    the chooser was preset to and the one picked (as seen on the screen),
    both as 0x00BBGGRR."""
    controls = controls_by_id(s, "Color")
    preset = (int(controls[RED_FIELD]["value"]) | int(controls[GREEN_FIELD]["value"]) << 8 |
              int(controls[BLUE_FIELD]["value"]) << 16)
    left, top, right, bottom = controls[COLOUR_GRID].rect
    x = left + (2 * column + 1) * (right - left) // 16
    y = top + (2 * row + 1) * (bottom - top) // 12
    s.xdotool("mousemove", x, y, "click", "1")

    def cell():  # one colour around the point, not the dialog's face beside the grid
        shot = s.screenshot("colour-chooser")
        block = shot.crop((x - 2, y - 2, x + 3, y + 3)).colours()
        return (len(block) == 1 and block[0][0] != bytes(shot.pixel(left - 3, y))
                and block[0][0])

    r, g, b = wait_until(f"basic colour drawn at ({x}, {y})", cell)
    click_control(s, "Color", IDOK)
    wait_dialog_gone(s, "Color")
    return preset, r | g << 8 | b << 16


def stored_settings(s):
    """HKCU\\Kavelo as {section: {value name: text}} ("" for the store key
    itself, "Moyenne\\Temps" for a subsection); None when the key is missing.
    Every value must be a string."""
    tree = s.reg_query(STORE)
    if tree is None:
        return None
    prefix = r"HKEY_CURRENT_USER\Kavelo"
    store = {}
    for key, values in tree.items():
        section = key[len(prefix):].lstrip("\\")
        for name, value in values.items():
            assert value.type == "REG_SZ", f"{key} {name} is {value.type}, not REG_SZ"
        store[section] = {name: value.data for name, value in values.items()}
    return store


def run_value(s, key):
    """The data of the value "Kavelo" in a Run key, or None."""
    tree = s.reg_query(key) or {}
    for path, values in tree.items():
        if path.endswith("\\Run") and "Kavelo" in values:
            assert values["Kavelo"].type == "REG_SZ", values["Kavelo"]
            return values["Kavelo"].data
    return None


def program_entry(s):
    """The logon entry Kavelo writes: its own path, quoted."""
    return '"' + e2e.win_path(s.bin / "Kavelo.exe") + '"'
