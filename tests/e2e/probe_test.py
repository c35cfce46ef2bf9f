#!/usr/bin/env python3
"""The harness's own tools against ktarget.exe, a window with known contents:
kprobe must read a popup menu and a dialog's controls exactly, and its clicks,
posts and broadcasts must reach the program."""
import kavelo_e2e as e2e

WM_APP = 0x8000


def item(records, pos, menu="0"):
    return next(r for r in records if r.kind == "item" and r["pos"] == str(pos)
                and r["menu"] == menu)


def test(s):
    s.spawn("ktarget", s.bin / "ktarget.exe")
    assert s.window("KTarget", timeout=60), s.describe("ktarget")
    s.expect_caption("ktarget ready", cls="KTarget")

    # The popup menu, read from inside the program.
    s.post(WM_APP + 1, cls="KTarget")
    records = s.menu()
    assert [r.kind for r in records] == ["menu"] + ["item"] * 5, records
    assert [item(records, p)["text"] for p in range(5)] == [
        "&Percent", "", "&Colours", "Grayed", "&Close"], records
    assert item(records, 0).flag("checked") and not item(records, 4).flag("checked")
    assert item(records, 1).flag("separator")
    assert item(records, 2).flag("submenu")
    assert item(records, 3).flag("grayed") and not item(records, 0).flag("grayed")
    assert item(records, 4)["id"] == "104"
    left, top, right, bottom = item(records, 0).rect
    assert right > left and bottom > top, item(records, 0)
    shot = s.screenshot("menu")
    menu_pixels = shot.crop(item(records, 0).rect).colours()
    assert len(menu_pixels) > 1, "the menu item is not drawn where kprobe says it is"

    # Its submenu, opened with real mouse input, then an item clicked.
    s.click_menu_item(2)
    records = s.menu()
    assert item(records, 0, menu="1")["text"] == "&Face…", records
    s.click_menu_item(0, menu=1)
    s.expect_caption("command 102", cls="KTarget")

    # Dialog controls: read, then driven so that the program is notified.
    controls = {c["id"]: c for c in s.controls("KTargetPanel")}
    assert controls["10"]["class"] == "Button" and controls["10"]["title"] == "&Start at logon"
    assert controls["10"]["checked"] == "0"
    assert controls["11"]["value"] == "5" and controls["12"]["pos"] == "5"
    assert (controls["13"]["pos"], controls["13"]["min"], controls["13"]["max"]) == ("10", "0", "50")
    assert s.probe("click", "--class", "KTargetPanel", "--child", 10).ok
    s.expect_caption("check 1", cls="KTargetPanel")
    assert s.probe("settext", "--class", "KTargetPanel", "--child", 11, "12").ok
    s.expect_caption("edit 12", cls="KTargetPanel")
    assert s.probe("setpos", "--class", "KTargetPanel", "--child", 13, 33).ok
    s.expect_caption("scroll 33", cls="KTargetPanel")
    controls = {c["id"]: c for c in s.controls("KTargetPanel")}
    assert controls["10"]["checked"] == "1" and controls["13"]["pos"] == "33"

    # Real pointer input through X lands where kprobe says the control is.
    left, top, right, bottom = controls["10"].rect
    s.xdotool("mousemove", left + 6, (top + bottom) // 2, "click", "1")
    s.expect_caption("check 0", cls="KTargetPanel")

    # The registry, written and read back through Wine's reg.
    key = r"HKCU\Software\KprobeTest"
    s.reg_add(key + r"\Couleur", "Normale", "REG_DWORD", 0xFF00)
    s.reg_add(key, "Titre", "REG_SZ", "Batterie : 57%")
    tree = s.reg_query(key)
    assert tree == {
        r"HKEY_CURRENT_USER\Software\KprobeTest": {"Titre": e2e.RegValue("REG_SZ", "Batterie : 57%")},
        r"HKEY_CURRENT_USER\Software\KprobeTest\Couleur": {"Normale": e2e.RegValue("REG_DWORD", 0xFF00)},
    }, tree
    exported = s.reg_export(key)
    assert '"Normale"=dword:0000ff00' in exported, exported
    s.reg_delete(key)
    assert s.reg_query(key) is None

    # A power event as the system delivers it, and the program's exit code.
    s.broadcast(e2e.WM_POWERBROADCAST, e2e.PBT_APMRESUMESUSPEND)
    s.expect_caption("power 7", cls="KTarget")
    assert s.probe("close", "--class", "KTarget").ok
    assert s.wait_exit("ktarget") == 7
    assert s.probe("gone", "--class", "KTargetPanel", "--timeout", 5000).ok


if __name__ == "__main__":
    e2e.run_test(test, battery=False)
