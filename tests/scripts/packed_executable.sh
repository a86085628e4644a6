#!/usr/bin/env bash
# Finished programs made by vornpack run on their own: a good one exits with
# 0; one whose image fails to link shows the fatal text in a message box
# captioned "Unable to run Vorn Basic module" and exits with -1 (255).
#   packed_executable.sh BIN_DIR PROGRAM_DIR
bin="$1"; programs="$2"
winerun="$(dirname "$0")/../../scripts/winerun"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

"$winerun" "$bin/vornpack.exe" "$programs/empty_main.img" "$work/good.exe" || { echo "vornpack failed"; exit 1; }
"$winerun" "$work/good.exe"; code=$?
[ "$code" = 0 ] || { echo "good.exe: exit code $code, expected 0"; status=1; }

if [ -z "${DISPLAY:-}" ]; then echo "no X display: message box part skipped"; exit $status; fi
"$winerun" "$bin/vornpack.exe" "$programs/unknown_command.img" "$work/bad.exe" || { echo "vornpack failed"; exit 1; }
"$winerun" "$work/bad.exe" & pid=$!
caption="Unable to run Vorn Basic module"
for _ in $(seq 100); do
    xdotool search --name "^$caption\$" >/dev/null 2>&1 && break
    sleep 0.1
done
xdotool search --name "^$caption\$" >/dev/null 2>&1 || { echo "no window captioned '$caption'"; status=1; }
text=$("$winerun" "$bin/msgbox_probe.exe" "$caption" | tr -d '\r')
[ "$text" = "Can't find symbol: _fnosuch" ] || { echo "message: got '$text', expected 'Can't find symbol: _fnosuch'"; status=1; }
wait $pid; code=$?
[ "$code" = 255 ] || { echo "bad.exe: exit code $code, expected 255"; status=1; }
exit $status
