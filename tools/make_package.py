#!/usr/bin/env python3
"""Writes the release zip: one folder holding the plug-in, its manual, its
license and the factory presets (in Presets/), the texts with Windows line
endings. The same inputs give the
same bytes: entries in a fixed order with fixed times and attributes."""
import argparse
import os
import zipfile

FIXED_TIME = (1980, 1, 1, 0, 0, 0)


def windows_text(path):
    with open(path, "rb") as f:
        text = f.read().replace(b"\r\n", b"\n")
    return text.replace(b"\n", b"\r\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dll", required=True)
    parser.add_argument("--readme", required=True)
    parser.add_argument("--license", required=True)
    parser.add_argument("--presets", required=True, help="folder of the .fxp files")
    parser.add_argument("--folder", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    with open(args.dll, "rb") as f:
        dll = f.read()
    entries = [
        ("Q-Clamper.dll", dll),
        ("license.txt", windows_text(args.license)),
        ("readme.txt", windows_text(args.readme)),
    ]
    for name in sorted(n for n in os.listdir(args.presets) if n.endswith(".fxp")):
        with open(os.path.join(args.presets, name), "rb") as f:
            entries.append(("Presets/" + name, f.read()))
    with zipfile.ZipFile(args.out, "w") as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(args.folder + "/" + name, date_time=FIXED_TIME)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # MS-DOS: no Unix owner or mode bits
            info.external_attr = 0x20  # the archive attribute, as Windows sets it
            archive.writestr(info, data, compresslevel=9)


if __name__ == "__main__":
    main()
