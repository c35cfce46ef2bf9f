#!/usr/bin/env python3
"""Everything the user changes comes back after a restart: the gauge's
position, stay-on-top, tray-only mode and display mode, the colours chosen
in the system colour chooser, and the history length and thresholds set in
the options dialog. The store holds each as exact REG_SZ text, and the
per-user logon entry follows "Run Kavelo when Windows starts"."""
import re

import kavelo_e2e as e2e
from settings_steps import (IDOK, MACHINE_RUN, USER_RUN, WM_LBUTTONDBLCLK, checks,
                            choose_basic_colour, click_control, controls_by_id, menu_command,
                            program_entry, run_value, stored_settings, tray_event,
                            wait_dialog_gone, wait_until)

ABOUT = "About KAVELO"
_IDS = {name: int(value) for name, value in re.findall(
    r"#define (IDC_\w+) (\d+)",
    (e2e.REPO / "src/platform/win32/about_dialog_ids.h").read_text())}
TRACKBAR1, SPINEDIT1, SPINEDIT2, CHECKBOX1 = (
    _IDS[n] for n in ("IDC_TRACKBAR1", "IDC_SPINEDIT1", "IDC_SPINEDIT2", "IDC_CHECKBOX1"))
CHECKBOX2, SPINEDIT3 = _IDS["IDC_CHECKBOX2"], _IDS["IDC_SPINEDIT3"]  # the charge alert
# What a first run stores, {section: {value name: text}}, from the table of stored settings.
DEFAULTS = {}
for _section, _name, _default in re.findall(r'\{"([^"]*)", "(\w+)", StoredKind::\w+, (0x[0-9A-Fa-f]+|-?\d+),',
                                            (e2e.REPO / "src/core/stored_settings.h").read_text()):
    DEFAULTS.setdefault(_section, {})[_name] = str(int(_default, 0))

# Where the gauge is dragged to: the grabbed point moves by (DX, DY).
GRAB, DX, DY = (30, 12), 117, 203


def shown_gauge(s):
    return wait_until("gauge window shown",
                      lambda: next(iter(s.windows(e2e.GAUGE_CLASS, visible=True)), None))


def first_run(s):
    s.start_kavelo()
    tray_event(s, WM_LBUTTONDBLCLK)  # out of tray-only mode
    start = shown_gauge(s).rect

    # Dragged with the left button, by real pointer input.
    x, y = start[0] + GRAB[0], start[1] + GRAB[1]
    s.xdotool("mousemove", x, y, "mousedown", "1", "sleep", "0.2",
              "mousemove", x + DX // 2, y + DY // 2, "sleep", "0.2",
              "mousemove", x + DX, y + DY, "sleep", "0.2", "mouseup", "1")
    left, top = start[0] + DX, start[1] + DY
    wait_until(f"gauge dragged to ({left}, {top})", lambda: s.window().rect[:2] == (left, top))

    menu_command(s, "&Color", "&Normal...")
    preset, normal = choose_basic_colour(s, 4, 1)
    assert preset == 0x00FF00, f"the chooser opened on {preset:#08x}, not the face's green"
    menu_command(s, "&Color", "&Alert...")
    preset, alert = choose_basic_colour(s, 7, 1)
    assert preset == 0x0000FF, f"the chooser opened on {preset:#08x}, not the alert red"
    assert len({normal, alert, 0x00FF00, 0x0000FF}) == 4, (normal, alert)

    menu_command(s, "&Time estimation")  # percentage display
    menu_command(s, "&Always visible")   # off

    menu_command(s, "A&bout Kavelo")
    shown = controls_by_id(s, ABOUT)
    assert (shown[TRACKBAR1]["pos"], shown[SPINEDIT1]["value"], shown[SPINEDIT2]["value"],
            shown[CHECKBOX1]["checked"]) == ("5", "10", "10", "1"), shown
    for args in (("settext", SPINEDIT1, "23"), ("settext", SPINEDIT2, "42"),
                 ("settext", SPINEDIT3, "95"), ("setpos", TRACKBAR1, 12)):
        assert s.probe(args[0], "--title", ABOUT, "--child", args[1], args[2],
                       "--timeout", 5000).ok, args
    click_control(s, ABOUT, CHECKBOX2)
    click_control(s, ABOUT, IDOK)
    wait_dialog_gone(s, ABOUT)

    menu_command(s, "&Close")
    code = s.wait_exit("kavelo")
    assert code == 0, f"Kavelo.exe ended with exit code {code}"
    return left, top, normal, alert


def second_run(s, left, top, normal):
    s.start_kavelo()
    w = shown_gauge(s)
    assert (w.rect, w.flag("topmost")) == ((left, top, left + 68, top + 24), False), \
        f"gauge back as {w} (expected percentage width 68 at ({left}, {top}), not topmost)"
    rgb = bytes([normal & 0xFF, normal >> 8 & 0xFF, normal >> 16])

    def face_lit():
        lit = dict(s.screenshot("restarted").crop(w.rect).colours())
        return lit.get(rgb, 0) > 20 and bytes([0, 255, 0]) not in lit

    wait_until(f"face drawn in {rgb.hex()} (see restarted.png)", face_lit)

    top_menu = menu_command(s, "A&bout Kavelo")
    marks = checks(top_menu)
    assert [marks[c] for c in ("&Only on system tray", "&Always visible", "&Time estimation")] \
        == [False, False, False], marks
    shown = controls_by_id(s, ABOUT)
    assert (shown[TRACKBAR1]["pos"], shown[SPINEDIT1]["value"], shown[SPINEDIT2]["value"],
            shown[CHECKBOX1]["checked"]) == ("12", "23", "42", "1"), shown
    about = s.windows("#32770", title=ABOUT)[0]
    s.screenshot("options-dialog").crop(about.rect).save_png(s.run_dir / "options-dialog.png")
    click_control(s, ABOUT, CHECKBOX1)  # no start at logon
    wait_until("check box cleared", lambda: controls_by_id(s, ABOUT)[CHECKBOX1]["checked"] == "0")
    click_control(s, ABOUT, IDOK)
    wait_dialog_gone(s, ABOUT)

    menu_command(s, "&Close")
    code = s.wait_exit("kavelo")
    assert code == 0, f"Kavelo.exe ended with exit code {code}"


def test(s):
    assert stored_settings(s) is None, "the prefix has a store already"
    left, top, normal, alert = first_run(s)
    expected = {section: dict(values) for section, values in DEFAULTS.items()}  # the rest unchanged
    expected[""].update(DureeHisto="12", AfficheTemps="0", SeuilAlerteTemps="42",
                        SeuilAlertePourcent="23", AlerteCharge="1", SeuilAlerteCharge="95")
    expected["Position"].update(Top=str(top), Left=str(left), Dessus="0", Tray="0")
    expected["Couleur"].update(Normale=str(normal), Alerte=str(alert))
    assert stored_settings(s) == expected, stored_settings(s)  # no history: no "Moyenne"
    assert run_value(s, USER_RUN) == program_entry(s), run_value(s, USER_RUN)

    # An entry an older version left in the machine-wide list.
    s.reg_add(MACHINE_RUN, "Kavelo", "REG_SZ", r"C:\Old\Kavelo.exe")
    second_run(s, left, top, normal)
    expected[""]["AutoStart"] = "0"
    assert stored_settings(s) == expected, stored_settings(s)
    assert run_value(s, USER_RUN) is None, run_value(s, USER_RUN)
    assert run_value(s, MACHINE_RUN) is None, run_value(s, MACHINE_RUN)


if __name__ == "__main__":
    e2e.run_test(test)
