#!/usr/bin/python3
"""Checks the committed artwork under resources/.

    python3 tools/check_artwork.py

Reads the BMP files with its own small parser (not with the generator's
library), so it sees what LoadBitmapA will see.  Exits non-zero and lists
every failure.  Checks: the resource script names every bitmap by the ids
of resource_ids.h and every file exists; sizes and 8-bit depth; knob and LED
faces are black outside their disc (they are painted through a circular
mask with SRCPAINT); the scale marks sit at the knobs' end angles; the note
grid keeps one note in each of its 5 x 3 cells in the toolkit's colours; the
generator reproduces the committed files byte for byte; the script compiles
with the cross windres when it is installed.
"""

import filecmp
import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "resources")

SIZES = {
    500: (549, 93), 509: (32, 32), 530: (19, 15), 531: (19, 15),
    1500: (24, 16), 1501: (24, 16), 1502: (33, 23), 1503: (33, 23),
    1504: (16, 16), 1505: (16, 16), 1506: (160, 96), 1507: (32, 32),
    1508: (17, 128), 1509: (15, 20), 1510: (128, 17), 1511: (20, 15),
    1512: (64, 64),
}

# Knob window position, pointer pivot inside the 32 x 32 window, and the
# angles (degrees counter-clockwise from three o'clock) of minimum and maximum.
KNOBS = {"compression": (210, 30, 90, 225), "gain": (290, 30, 240, 300),
         "velocity": (370, 30, 240, 300), "limit": (455, 30, 240, 90)}
PIVOT = 17

TOOLKIT_COLOURS = {
    (0x00, 0x00, 0x00), (0xCC, 0x28, 0x14), (0xFC, 0x3C, 0x1E), (0xF0, 0xEB, 0x36),
    (0x06, 0x1C, 0x9D), (0x0F, 0x5F, 0xE2), (0x8C, 0x93, 0xE4), (0x03, 0x6B, 0x7A),
    (0x24, 0xA7, 0x31), (0x40, 0x40, 0x40), (0x54, 0x54, 0x54), (0x6E, 0x6E, 0x6E),
    (0x82, 0x82, 0x82), (0xB4, 0xB4, 0xB4), (0xE6, 0xE6, 0xE6), (0xFF, 0xFF, 0xFF),
}

failures = []


def fail(msg):
    failures.append(msg)


class Bmp:
    """An uncompressed 8-bit BMP: size, palette and pixel colours."""

    def __init__(self, path):
        data = open(path, "rb").read()
        if data[:2] != b"BM":
            raise ValueError("not a BMP")
        offset = struct.unpack_from("<I", data, 10)[0]
        (hsize, self.width, height, _planes, self.bits, self.compression, _img, _xr, _yr,
         used, _imp) = struct.unpack_from("<IiiHHIIiiII", data, 14)
        self.bottom_up = height > 0
        self.height = abs(height)
        if self.bits != 8:
            return
        count = used or 256
        pal = data[14 + hsize: 14 + hsize + 4 * count]
        self.palette = [(pal[4 * i + 2], pal[4 * i + 1], pal[4 * i]) for i in range(count)]
        stride = (self.width + 3) & ~3
        self.rows = []
        for y in range(self.height):
            src = (self.height - 1 - y) if self.bottom_up else y
            start = offset + src * stride
            self.rows.append(data[start: start + self.width])

    def rgb(self, x, y):
        return self.palette[self.rows[y][x]]


def luminance(c):
    return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]


def parse_ids():
    ids = {}
    for line in open(os.path.join(RES, "resource_ids.h")):
        m = re.match(r"\s*#define\s+(QC_\w+)\s+(\d+)\b", line)
        if m:
            ids[m.group(1)] = int(m.group(2))
    return ids


def check_script():
    """Returns {resource id: file path} of the script's bitmaps."""
    ids = parse_ids()
    text = open(os.path.join(RES, "qclamper.rc")).read()
    files = {}
    for name, kind, fname in re.findall(r"^(\w+)\s+(BITMAP|ICON)\s+\"([^\"]+)\"", text, re.M):
        if name not in ids:
            fail("qclamper.rc: %s is not defined in resource_ids.h" % name)
            continue
        path = os.path.join(RES, fname)
        if not os.path.exists(path):
            fail("qclamper.rc: %s names missing file %s" % (name, fname))
        if kind == "BITMAP":
            if ids[name] in files:
                fail("qclamper.rc: bitmap id %d used twice" % ids[name])
            files[ids[name]] = path
    if set(files) != set(SIZES):
        fail("bitmap ids in qclamper.rc %s, expected %s" % (sorted(files), sorted(SIZES)))
    if not re.search(r'VALUE\s+"FileDescription",\s*"VST Plug-In\."', text):
        fail('qclamper.rc: the file description is not "VST Plug-In."')
    if not re.search(r'VALUE\s+"ProductName",\s*"Q-Clamper"', text):
        fail('qclamper.rc: the product name is not "Q-Clamper"')
    return files


def check_black_outside_disc(bmp, rid, diameter):
    c = diameter / 2.0
    for y in range(bmp.height):
        for x in range(bmp.width):
            if math.hypot(x + 0.5 - c, y + 0.5 - c) > c and bmp.rgb(x, y) != (0, 0, 0):
                fail("%d: pixel (%d, %d) outside the disc is %s, not black"
                     % (rid, x, y, bmp.rgb(x, y)))
                return


def brightest_on_ray(bmp, cx, cy, angle, r0, r1):
    best = 0.0
    a = math.radians(angle)
    steps = int((r1 - r0) * 4)
    for i in range(steps + 1):
        r = r0 + (r1 - r0) * i / steps
        x = int(math.floor(cx + r * math.cos(a)))
        y = int(math.floor(cy - r * math.sin(a)))
        best = max(best, luminance(bmp.rgb(x, y)))
    return best


def check_scale_ends(panel):
    """A printed mark at each end of every knob's travel, none just beyond."""
    for name, (x, y, amin, amax) in KNOBS.items():
        cx, cy = x + PIVOT + 0.5, y + PIVOT + 0.5
        for label, angle, beyond in (("minimum", amin, amin + 8), ("maximum", amax, amax - 8)):
            if brightest_on_ray(panel, cx, cy, angle, 21.0, 25.0) < 150:
                fail("500: no scale mark at the %s of %s (%d degrees)" % (label, name, angle))
            if brightest_on_ray(panel, cx, cy, beyond, 21.0, 25.0) > 110:
                fail("500: a mark outside the travel of %s at %d degrees" % (name, beyond))


def check_note_grid(grid):
    colours = set(grid.palette[i] for row in grid.rows for i in row)
    if not colours <= TOOLKIT_COLOURS:
        fail("1506: colours outside the toolkit palette: %s" % sorted(colours - TOOLKIT_COLOURS))
    for row in range(3):
        for col in range(5):
            ink = sum(1 for y in range(row * 32 + 2, row * 32 + 30)
                      for x in range(col * 32 + 2, col * 32 + 30)
                      if luminance(grid.rgb(x, y)) < 64)
            if ink < 15:
                fail("1506: cell (column %d, row %d) holds no note" % (col, row))


def check_regenerates():
    tmp = tempfile.mkdtemp(prefix="qc-artwork-")
    try:
        subprocess.run([sys.executable, os.path.join(ROOT, "tools", "make_artwork.py"),
                        "--out", tmp], check=True)
        for name in sorted(os.listdir(tmp)):
            committed = os.path.join(RES, name)
            if not os.path.exists(committed) or not filecmp.cmp(committed, os.path.join(tmp, name),
                                                                shallow=False):
                fail("%s differs from what tools/make_artwork.py writes" % name)
    finally:
        shutil.rmtree(tmp)


def check_windres():
    windres = shutil.which("i686-w64-mingw32-windres")
    if not windres:
        print("note: i686-w64-mingw32-windres not installed, resource script not compiled")
        return
    tmp = tempfile.mkdtemp(prefix="qc-rc-")
    try:
        # as a build does it: from another directory, the script by full path
        out = subprocess.run([windres, os.path.join(RES, "qclamper.rc"), "-O", "coff",
                              "-o", "qclamper.res"], cwd=tmp, capture_output=True, text=True)
        if out.returncode != 0:
            fail("windres: " + out.stderr.strip())
    finally:
        shutil.rmtree(tmp)


def main():
    files = check_script()
    images = {}
    for rid, path in sorted(files.items()):
        if not os.path.exists(path):
            continue
        bmp = Bmp(path)
        if bmp.bits != 8 or bmp.compression != 0:
            fail("%d: %d bits per pixel, compression %d; wanted 8, none"
                 % (rid, bmp.bits, bmp.compression))
            continue
        if (bmp.width, bmp.height) != SIZES[rid]:
            fail("%d: %d x %d, wanted %d x %d" % ((rid, bmp.width, bmp.height) + SIZES[rid]))
            continue
        images[rid] = bmp
    for rid, diameter in ((509, 32), (1507, 32), (1504, 16), (1505, 16)):
        if rid in images:
            check_black_outside_disc(images[rid], rid, diameter)
    if 500 in images:
        check_scale_ends(images[500])
    if 1506 in images:
        check_note_grid(images[1506])
    check_regenerates()
    check_windres()
    for f in failures:
        print("FAIL", f)
    print("artwork: %d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
