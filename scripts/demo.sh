#!/usr/bin/env bash
# The main job: builds the plug-in (Q-Clamper.dll) and the project's own host
# program, then runs the host under Wine: it loads the DLL like any effect
# host, renders the built-in demo signal through it into a 32-bit float WAV,
# draws a picture of the render (levels and gain reduction against time) and
# photographs the plug-in's editor. Extra arguments go to the host
# (e.g. --gain 6 --limit 0.5, or a WAV file to render instead of the demo;
# see --help).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target qclamper_dll qclamper_host

out=build/windows
state=$out/wine
# A Wine session (wineserver and virtual display) that this script starts
# is stopped again at the end; one that was already running is left alone.
scripts/wine-run.sh --running "$state" || trap 'scripts/wine-run.sh --stop "$state"' EXIT

wav=$out/qclamper-demo.wav
bmp=$out/qclamper-editor.bmp
png=$out/qclamper-editor.png
plot=$out/qclamper-demo-plot.bmp
plotpng=$out/qclamper-demo-plot.png
rm -f "$wav" "$bmp" "$png" "$plot" "$plotpng"
scripts/wine-run.sh "$state" "$out/bin/qclamper-host.exe" \
  --demo -o "$wav" --plot "$plot" --screenshot "$bmp" "$@"

# Whatever the host wrote (nothing, for --help).
for picture in "$bmp" "$plot"; do
  [ -f "$picture" ] && command -v convert >/dev/null 2>&1 && convert "$picture" "${picture%.bmp}.png" 2>/dev/null || true
done
if [ -f "$wav" ] || [ -f "$bmp" ] || [ -f "$plot" ]; then
  echo
  echo "Files:"
  [ -f "$wav" ] && echo "  rendered audio (32-bit float WAV): $wav"
  [ -f "$bmp" ] && echo "  editor screenshot (BMP):           $bmp"
  [ -f "$png" ] && echo "  editor screenshot (PNG):           $png"
  [ -f "$plot" ] && echo "  picture of the render (BMP):       $plot"
  [ -f "$plotpng" ] && echo "  picture of the render (PNG):       $plotpng"
fi
exit 0
