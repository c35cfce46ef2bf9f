#!/usr/bin/env python3
"""Checks the shipped Kavelo.exe: at most the size budget (the size is
printed either way), an x86_64 Windows GUI program, and importing only
Windows' own DLLs, so that it runs from any folder with nothing beside it.

    check_exe.py Kavelo.exe --budget-kb 200
"""
import argparse
import re
import subprocess
import sys
from pathlib import Path

SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll",
               "msvcrt.dll", "powrprof.dll", "shell32.dll", "user32.dll"}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("exe", type=Path)
    parser.add_argument("--budget-kb", type=int, required=True)
    args = parser.parse_args()
    size, budget = args.exe.stat().st_size, args.budget_kb * 1024
    print(f"{args.exe}: {size} bytes ({size / 1024:.1f} KB), budget {budget} bytes "
          f"({args.budget_kb} KB)")
    headers = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", str(args.exe)],
                             capture_output=True, text=True, timeout=60).stdout
    dlls = re.findall(r"DLL Name: (\S+)", headers)
    print("imports:", " ".join(dlls))
    problems = [f"{size - budget} bytes over the budget"] if size > budget else []
    if "file format pei-x86-64" not in headers or not re.search(r"Subsystem\s+0*2\s", headers):
        problems.append("not an x86_64 Windows GUI program")
    others = [d for d in dlls if d.lower() not in SYSTEM_DLLS]
    if others:
        problems.append(f"imports DLLs that Windows does not have: {', '.join(others)}")
    for p in problems:
        print("FAIL:", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
