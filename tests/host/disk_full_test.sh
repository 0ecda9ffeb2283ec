#!/usr/bin/env bash
# A disk that fills while the host program writes. Under Wine the write that
# the disk cuts short comes back as a success and the C runtime then fails
# with EINVAL; the program must still name the real reason. A file-size
# limit stands in for the full disk (writes past it come back short).
#   disk_full_test.sh <repository> <windows build dir> <wine state dir>
set -uo pipefail
repo=$1
build=$2
state=$3
work="$build/tests/host/disk-full"
rm -rf "$work"
mkdir -p "$work"
run() { "$repo/scripts/wine-run.sh" "$state" "$build/bin/qclamper-host.exe" "$@"; }
# The Wine session starts without the limit: its own files stay writable.
run --version >/dev/null || exit 1

out="$work/out.wav"
err=$(trap '' XFSZ; ulimit -f 256; run --demo -q -o "$out" 2>&1 >/dev/null)
rc=$?
err=${err//$'\r'/}  # the Windows program ends its lines the Windows way
fail=0
expected="qclamper-host: error: cannot write '$out': No space left on device"
[ $rc -eq 1 ] || { echo "exit status $rc, not 1"; fail=1; }
[ "$err" = "$expected" ] || { printf 'stderr:   %s\nexpected: %s\n' "$err" "$expected"; fail=1; }
for f in "$out" "$out.partial"; do [ ! -e "$f" ] || { echo "$f was left behind"; fail=1; }; done
exit $fail
