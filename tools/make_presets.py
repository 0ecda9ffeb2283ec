#!/usr/bin/python3
"""Writes the factory presets: one VST preset file (.fxp) per row of PRESETS.

    python3 tools/make_presets.py [--out DIR]   (default: resources/presets)
    python3 tools/make_presets.py --check       (the committed files are what
                                                 this script writes)

Each file is the standard preset of a plug-in that keeps its state as a
chunk: the 'CcnK' header, form 'FPCh', format version 1, the plug-in's ID
and version, one program, its 28-byte name and the 64-byte parameter block
(limiter/LimiterParams.h), header fields big-endian, the block as the plug-in
stores it (little-endian floats, both channels alike, the 32 reserved bytes
zero). The ranges come from the settings table (limiter/LimiterSettings.cpp),
the ID from limiter/LimiterPlugin.h and the version from plugin/PluginBase.cpp:
a value outside its knob's range stops the script. The same table gives the
same bytes on every run.
"""

import argparse
import filecmp
import os
import re
import struct
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "resources", "presets")

# Name (the file's and the program's, at most 23 characters, as the plug-in
# keeps them), then the knobs: compression (1 = no shaping), gain in dB,
# velocity (release speed: the gain recovers 6 dB in about 160 ms / velocity
# at 44.1 kHz) and the ceiling in dBFS. package/readme.txt says what each is
# for.
PRESETS = [
    ("Transparent -0.3 dBFS", 1.0, 0.0, 1.5, -0.3),
    ("Master -1 dBTP", 1.0, 3.0, 2.0, -1.5),
    ("Loud Master", 1.6, 6.0, 4.0, -1.0),
    ("Mix Bus Glue", 1.3, 2.0, 2.0, -0.5),
    ("Drum Bus Punch", 2.0, 4.0, 25.0, -3.0),
    ("Vocal Leveler", 3.0, 0.0, 3.0, -2.0),
]

NAME_SIZE = 28
KEPT_NAME = 23  # the plug-in keeps 23 characters and the terminator


def source(path):
    with open(os.path.join(ROOT, path)) as f:
        return f.read()


def settings_ranges():
    """{word: (min, max)} from the settings table, in the knobs' units."""
    rows = re.findall(r'\{"(\w+)",\s*"[^"]*",\s*"[^"]*",\s*SettingUnit::\w+,\s*([-\d.]+)f,\s*([-\d.]+)f',
                      source("limiter/LimiterSettings.cpp"))
    ranges = {word: (float(lo), float(hi)) for word, lo, hi in rows}
    if set(ranges) != {"compression", "gain", "velocity", "limit"}:
        sys.exit("make_presets.py: cannot read the settings table, found %s" % sorted(ranges))
    return ranges


def plugin_identity():
    found = re.search(r"kLimiterUniqueId\s*=\s*(0x[0-9A-Fa-f]+)", source("limiter/LimiterPlugin.h"))
    version = re.search(r"effectRecord\.version\s*=\s*(\d+);", source("plugin/PluginBase.cpp"))
    if not found or not version:
        sys.exit("make_presets.py: cannot find the plug-in's ID or version")
    return int(found.group(1), 16), int(version.group(1))


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def stored_gain(decibels):
    """What the gain knob stores: 10^(dB * 0.05f) from the knob's float."""
    return f32(10.0 ** (f32(decibels) * f32(0.05)))


def chunk(compression, gain_db, velocity, ceiling_db, ranges):
    knobs = {"compression": compression, "gain": gain_db, "velocity": velocity,
             "limit": f32(10.0 ** (ceiling_db / 20.0))}
    for word, value in knobs.items():
        lo, hi = ranges[word]
        if not lo <= value <= hi:
            sys.exit("make_presets.py: %s %g is outside %g to %g" % (word, value, lo, hi))
    channel = struct.pack("<4f", compression, stored_gain(gain_db), velocity, knobs["limit"])
    return bytes(32) + channel + channel


def preset_bytes(name, block, plugin_id, version):
    raw = name.encode("ascii")
    if len(raw) > KEPT_NAME:
        sys.exit("make_presets.py: the name '%s' is longer than %d characters" % (name, KEPT_NAME))
    body = (b"FPCh" + struct.pack(">4i", 1, plugin_id, version, 1) + raw.ljust(NAME_SIZE, b"\0") +
            struct.pack(">i", len(block)) + block)
    return b"CcnK" + struct.pack(">i", len(body)) + body


def write_all(folder):
    ranges = settings_ranges()
    plugin_id, version = plugin_identity()
    os.makedirs(folder, exist_ok=True)
    for name, *knobs in PRESETS:
        with open(os.path.join(folder, name + ".fxp"), "wb") as f:
            f.write(preset_bytes(name, chunk(*knobs, ranges), plugin_id, version))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", default=OUT)
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    if not args.check:
        write_all(args.out)
        return
    with tempfile.TemporaryDirectory() as fresh:
        write_all(fresh)
        expected = sorted(os.listdir(fresh))
        committed = sorted(n for n in os.listdir(OUT) if n.endswith(".fxp"))
        if committed != expected:
            sys.exit("resources/presets holds %s, the table gives %s" % (committed, expected))
        _, differ, errors = filecmp.cmpfiles(fresh, OUT, expected, shallow=False)
        if differ or errors:
            sys.exit("resources/presets differs from the table: %s" % (differ + errors))
    print("%d presets as the table gives them" % len(expected))


if __name__ == "__main__":
    main()
