"""What the end-to-end tests read: screenshots, kprobe's output and the
output of `reg query`."""

import collections
import struct
import zlib
from pathlib import Path

from e2e_host import HarnessError


class Image:
    """An RGB picture with 8 bits per channel."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, bytes(rgb)

    @classmethod
    def read_ppm(cls, path):
        data = Path(path).read_bytes()
        fields, pos = [], 0
        while len(fields) < 4:  # magic, width, height, maxval; '#' starts a comment
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        if fields[0] != b"P6" or fields[3] != b"255":
            raise HarnessError(f"{path}: not an 8-bit binary PPM")
        width, height = int(fields[1]), int(fields[2])
        return cls(width, height, data[pos + 1:pos + 1 + width * height * 3])

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def crop(self, rect):
        """The part from (left, top) to (right, bottom), right and bottom excluded."""
        left, top = max(rect[0], 0), max(rect[1], 0)
        right, bottom = min(rect[2], self.width), min(rect[3], self.height)
        if right <= left or bottom <= top:
            return Image(0, 0, b"")
        rows = [self.rgb[(y * self.width + left) * 3:(y * self.width + right) * 3]
                for y in range(top, bottom)]
        return Image(right - left, bottom - top, b"".join(rows))

    def colours(self):
        """How many pixels have each (r, g, b) colour."""
        return collections.Counter(
            self.rgb[i:i + 3] for i in range(0, len(self.rgb), 3)).most_common()

    def save_png(self, path):
        raw = b"".join(b"\0" + self.rgb[y * self.width * 3:(y + 1) * self.width * 3]
                       for y in range(self.height))

        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body +
                    struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

        Path(path).write_bytes(
            b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


# ---- kprobe output -----------------------------------------------------

class Record(dict):
    """One line of kprobe output: .kind ("window", "control", "menu", "item",
    "result", "error") and its fields; numbers are left as text, except by
    the helpers below."""

    def __init__(self, kind, fields):
        super().__init__(fields)
        self.kind = kind

    @property
    def rect(self):
        return tuple(int(v) for v in self["rect"].split(","))

    def flag(self, name):
        return self.get(name) == "1"

    def number(self, name):
        return int(self[name], 0)

    def __repr__(self):
        return f"{self.kind}{dict(self)!r}"


def _unescape(value):
    out, i = [], 0
    while i < len(value):
        if value[i] == "\\" and i + 1 < len(value):
            out.append({"t": "\t", "n": "\n", "r": "\r"}.get(value[i + 1], value[i + 1]))
            i += 2
        else:
            out.append(value[i])
            i += 1
    return "".join(out)


def parse_probe_output(text):
    records = []
    for line in text.splitlines():
        if not line:
            continue
        kind, *fields = line.split("\t")
        pairs = (f.partition("=") for f in fields)
        records.append(Record(kind, {k: _unescape(v) for k, _, v in pairs}))
    return records


class ProbeResult:
    def __init__(self, rc, records):
        self.rc, self.records = rc, records

    @property
    def ok(self):
        return self.rc == 0

    def of_kind(self, kind):
        return [r for r in self.records if r.kind == kind]

    def __repr__(self):
        return f"ProbeResult(rc={self.rc}, {self.records!r})"


# ---- registry ----------------------------------------------------------

RegValue = collections.namedtuple("RegValue", "type data")


def parse_reg_query(text):
    """`reg query KEY /s` output as {key: {value name: RegValue}}; REG_DWORD
    and REG_QWORD data become ints, "(Default)" is the unnamed value."""
    keys, current = {}, None
    for line in text.splitlines():
        if line.startswith("HKEY_"):
            current = keys.setdefault(line.strip(), {})
        elif line.startswith("    ") and current is not None:
            parts = line[4:].split("    ", 2)
            if len(parts) < 2:
                continue
            name, kind = parts[0], parts[1]
            data = parts[2] if len(parts) > 2 else ""
            if kind in ("REG_DWORD", "REG_QWORD"):
                data = int(data, 16)
            current[name] = RegValue(kind, data)
    return keys
