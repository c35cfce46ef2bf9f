#!/usr/bin/env python3
"""Runs the Windows build's GoogleTest binary, kavelo_win_tests.exe, under
Wine in a private X server and prefix copy. Arguments after the harness's
own (e.g. --gtest_filter=...) go to the test binary; --dpi N sets LogPixels first."""
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))
import kavelo_e2e as e2e  # noqa: E402

extra = e2e.arguments()[1]
dpi = int(extra.pop(extra.index("--dpi") + 1)) if "--dpi" in extra else None
extra = [a for a in extra if a != "--dpi"]


def test(s):
    exe = s.bin / "kavelo_win_tests.exe"
    assert exe.exists(), f"{exe} is missing: build the Windows tree first"
    report = s.run_dir / "gtest.xml"
    if dpi:
        s.reg_add(r"HKCU\Control Panel\Desktop", "LogPixels", "REG_DWORD", dpi)
    code = s.wine([exe, "--gtest_output=xml:gtest.xml", "--gtest_color=no"] + extra,
                  "gtest.log", timeout=200)
    print((s.run_dir / "gtest.log").read_text(errors="replace"), flush=True)
    assert not dpi or f"system DPI {dpi}" in (s.run_dir / "gtest.log").read_text(errors="replace")
    assert report.exists(), f"no {report}; exit code {code}"
    suites = ElementTree.parse(report).getroot()
    failed = [f"{case.get('classname')}.{case.get('name')}"
              for case in suites.iter("testcase") if case.find("failure") is not None]
    e2e.log(f"{suites.get('tests')} tests, {len(failed)} failed, exit code {code}")
    assert not failed and code == 0, f"failed: {', '.join(failed) or 'exit code ' + str(code)}"
    # An empty run means a broken build, unless a filter asked for it.
    assert extra or int(suites.get("tests")) > 0, "kavelo_win_tests.exe ran no tests"


if __name__ == "__main__":
    e2e.run_test(test, name=f"win_tests_dpi{dpi}" if dpi else "win_tests", battery=False)
