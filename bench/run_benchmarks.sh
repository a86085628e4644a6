#!/usr/bin/env bash
# Runs every benchmark executable of the build under Wine; each prints its
# figures as "name: value unit" lines that can be compared run to run.
bin="$1"
winerun="$(dirname "$0")/../scripts/winerun"
. "$(dirname "$0")/../scripts/win32-support.sh"
win32_supported || { echo "benchmarks skipped: this machine cannot run 32-bit x86 programs"; exit 0; }
status=0
for exe in "$bin"/*_bench.exe; do
    [ -e "$exe" ] || continue
    echo "== $(basename "$exe" .exe)"
    "$winerun" "$exe" | tr -d '\r' || status=1
done
exit $status
