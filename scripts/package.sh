#!/usr/bin/env bash
# Builds the plug-in in release form and writes the zip a musician installs:
#   dist/Q-Clamper-<version>-win32.zip holding Q-Clamper/ with
#   Q-Clamper.dll, readme.txt and license.txt.
# The version comes from resources/resource_ids.h. The same sources give the
# same bytes.
#   package.sh [--out DIR] [--no-build]   (--no-build: package the DLL built last)
set -euo pipefail
cd "$(dirname "$0")/.."

out=dist
build=1
while [ $# -gt 0 ]; do
  case "$1" in
    --out) out=$2; shift 2 ;;
    --no-build) build=0; shift ;;
    *) echo "package.sh: unknown argument '$1'" >&2; exit 2 ;;
  esac
done

if [ $build -eq 1 ]; then
  scripts/setup.sh
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target qclamper_dll
fi
dll=build/windows/bin/Q-Clamper.dll
[ -f "$dll" ] || { echo "package.sh: $dll is not built" >&2; exit 1; }

version=$(sed -n 's/^#define QC_VERSION_STRING *"\(.*\)".*/\1/p' resources/resource_ids.h)
[ -n "$version" ] || { echo "package.sh: no version in resources/resource_ids.h" >&2; exit 1; }

mkdir -p "$out"
zip="$out/Q-Clamper-$version-win32.zip"
python3 tools/make_package.py --dll "$dll" --readme package/readme.txt --license LICENSE \
  --folder Q-Clamper --out "$zip.tmp"
mv "$zip.tmp" "$zip"
echo "$zip"
