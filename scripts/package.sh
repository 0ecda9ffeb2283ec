#!/usr/bin/env bash
# Builds the plug-in in release form and writes the zips a musician installs:
#   dist/Q-Clamper-<version>-win32.zip  for 32-bit hosts
#   dist/Q-Clamper-<version>-win64.zip  for 64-bit hosts
# each holding Q-Clamper/ with Q-Clamper.dll, readme.txt, license.txt and the
# factory presets in Presets/ (resources/presets, from tools/make_presets.py).
# The version comes from resources/resource_ids.h. The same sources give the
# same bytes.
#   package.sh [--out DIR] [--no-build] [--arch win32|win64]
#   (--no-build: package the DLLs built last; --arch: only that zip)
set -euo pipefail
cd "$(dirname "$0")/.."

out=dist
build=1
archs=(win32 win64)
while [ $# -gt 0 ]; do
  case "$1" in
    --out) out=$2; shift 2 ;;
    --no-build) build=0; shift ;;
    --arch)
      case "${2:-}" in win32|win64) archs=("$2") ;; *) echo "package.sh: --arch is win32 or win64" >&2; exit 2 ;; esac
      shift 2 ;;
    *) echo "package.sh: unknown argument '$1'" >&2; exit 2 ;;
  esac
done

version=$(sed -n 's/^#define QC_VERSION_STRING *"\(.*\)".*/\1/p' resources/resource_ids.h)
[ -n "$version" ] || { echo "package.sh: no version in resources/resource_ids.h" >&2; exit 1; }

if [ $build -eq 1 ]; then scripts/setup.sh; fi
mkdir -p "$out"
for arch in "${archs[@]}"; do
  preset=windows
  [ "$arch" = win64 ] && preset=windows64
  if [ $build -eq 1 ]; then
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target qclamper_dll
  fi
  dll=build/$preset/bin/Q-Clamper.dll
  [ -f "$dll" ] || { echo "package.sh: $dll is not built" >&2; exit 1; }
  zip="$out/Q-Clamper-$version-$arch.zip"
  python3 tools/make_package.py --dll "$dll" --readme package/readme.txt --license LICENSE \
    --presets resources/presets --folder Q-Clamper --out "$zip.tmp"
  mv "$zip.tmp" "$zip"
  echo "$zip"
done
