#!/usr/bin/env python3
"""Checks the shipped Kavelo.exe: at most the size budget (the size is
printed either way), an x86_64 Windows GUI program, and importing only
Windows' own DLLs, so that it runs from any folder with nothing beside it.

    check_exe.py Kavelo.exe --budget-kb 240
"""
import argparse
import struct
import sys
from pathlib import Path

SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll",
               "msvcrt.dll", "powrprof.dll", "shell32.dll", "user32.dll"}
AMD64, GUI = 0x8664, 2


def imported_dlls(data):
    """The names in the PE file's import directory."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    machine, nsections, _, _, _, optsize, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    opt = pe + 24
    if struct.unpack_from("<H", data, opt)[0] != 0x20B:
        raise ValueError("not a PE32+ (64-bit) file")
    subsystem = struct.unpack_from("<H", data, opt + 68)[0]
    import_rva = struct.unpack_from("<I", data, opt + 112 + 8)[0]  # data directory 1
    sections = [struct.unpack_from("<8sIIII", data, opt + optsize + 40 * i)
                for i in range(nsections)]

    def offset(rva):
        for _, vsize, vaddr, rawsize, rawptr in sections:
            if vaddr <= rva < vaddr + max(vsize, rawsize):
                return rva - vaddr + rawptr
        raise ValueError(f"RVA {rva:#x} in no section")

    names, entry = [], offset(import_rva)
    while True:
        name_rva = struct.unpack_from("<5I", data, entry)[3]
        if name_rva == 0:
            break
        start = offset(name_rva)
        names.append(data[start:data.index(b"\0", start)].decode("ascii"))
        entry += 20
    return machine, subsystem, names


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("exe", type=Path)
    parser.add_argument("--budget-kb", type=int, required=True)
    args = parser.parse_args()
    data = args.exe.read_bytes()
    budget = args.budget_kb * 1024
    print(f"{args.exe}: {len(data)} bytes ({len(data) / 1024:.1f} KB), "
          f"budget {budget} bytes ({args.budget_kb} KB)")
    problems = []
    if len(data) > budget:
        problems.append(f"{len(data) - budget} bytes over the budget")
    machine, subsystem, dlls = imported_dlls(data)
    print("imports:", " ".join(dlls))
    if machine != AMD64 or subsystem != GUI:
        problems.append(f"machine {machine:#x}, subsystem {subsystem}: not an x86_64 GUI program")
    others = [d for d in dlls if d.lower() not in SYSTEM_DLLS]
    if others:
        problems.append(f"imports DLLs that Windows does not have: {', '.join(others)}")
    for p in problems:
        print("FAIL:", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
