#!/usr/bin/env bash
# The release zip as a user gets it: exactly the plug-in, its two texts and
# the factory presets in one folder,
# the same bytes from two runs, and a DLL of the build's architecture that
# loads from the unpacked folder and finds its manual and license beside it.
#   package_test.sh <repository> <windows build dir> <win32|win64>
set -euo pipefail
repo=$1
build=$2
arch=$3
work="$build/package-test"
rm -rf "$work"
mkdir -p "$work"

"$repo/scripts/package.sh" --no-build --arch "$arch" --out "$work/a" >/dev/null
"$repo/scripts/package.sh" --no-build --arch "$arch" --out "$work/b" >/dev/null
zip=$(ls "$work"/a/Q-Clamper-*-"$arch".zip)
cmp "$zip" "$work/b/$(basename "$zip")" || { echo "two runs gave different bytes"; exit 1; }

python3 - "$zip" "$work/unpacked" "$repo/resources/presets" <<'PY'
import os, sys, zipfile
names = sorted(zipfile.ZipFile(sys.argv[1]).namelist())
presets = sorted(n for n in os.listdir(sys.argv[3]) if n.endswith(".fxp"))
expected = sorted(["Q-Clamper/Q-Clamper.dll", "Q-Clamper/license.txt", "Q-Clamper/readme.txt"] +
                  ["Q-Clamper/Presets/" + n for n in presets])
if len(presets) < 5:
    sys.exit("only %d factory presets" % len(presets))
if names != expected:
    sys.exit("the zip holds %s, not %s" % (names, expected))
zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])
for n in presets:
    if open(sys.argv[2] + "/Q-Clamper/Presets/" + n, "rb").read() != open(sys.argv[3] + "/" + n, "rb").read():
        sys.exit("the zip's " + n + " differs from resources/presets")
for name in ("readme.txt", "license.txt"):
    text = open(sys.argv[2] + "/Q-Clamper/" + name, "rb").read()
    if b"\n" in text.replace(b"\r\n", b""):
        sys.exit(name + " has lines not ended the Windows way")
PY

"$repo/scripts/wine-run.sh" "$build/wine" "$build/tests/package/package_load_test.exe" \
  "Z:$work/unpacked/Q-Clamper/Q-Clamper.dll" "Z:$build/bin/Q-Clamper.dll"
