#!/usr/bin/env bash
# Real typing into a text area: xdotool types two characters (each a user
# change, action 1), presses Left (a cursor move, action 0, at which the
# program locks the area), types and moves while the area is locked (no
# events), then types once more after the program has unlocked it (action 1).
# The text ends up with every character typed, in place.
#   gui_text_area_typing.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../../scripts/win32-support.sh"
skip_without_win32
bin="$1"; programs="$2"
winerun="$(dirname "$0")/../../scripts/winerun"
[ -n "${DISPLAY:-}" ] || { echo "skipped: no X display"; exit 77; }
work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

wait_for() { # wait_for LINE: until the program has printed that line
    for _ in $(seq 200); do tr -d '\r' <"$work/out" | grep -qx "$1" && return 0; sleep 0.05; done
    echo "the program never printed '$1'"; tr -d '\r' <"$work/out"; cat "$work/err"; exit 1
}

"$winerun" "$bin/vornrun.exe" "$programs/text_area_peer.img" >"$work/out" 2>"$work/err" </dev/null &
pid=$!
wait_for ready
wid=""
for _ in $(seq 100); do wid=$(xdotool search --name '^Vorn Text Area Test$' 2>/dev/null | head -n 1); [ -n "$wid" ] && break; sleep 0.1; done
[ -n "$wid" ] || { echo "no X window for the program's window"; exit 1; }

xdotool windowfocus --sync "$wid"
wait_for focused
sleep 0.3
xdotool type --delay 100 xy
sleep 0.3
xdotool key Left
wait_for locked
xdotool type q
xdotool key Left
wait_for unlocked
xdotool type z
sleep 0.3
xdotool key --window "$wid" alt+F4
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid"; code=$?
pid=""

got=$(tr -d '\r' <"$work/out")
status=0
[ "$code" = 0 ] || { echo "exit code $code, expected 0"; cat "$work/err"; status=1; }
before=$(echo "$got" | sed -n '/^focused$/,/^locked$/p' | grep '^action')
during=$(echo "$got" | sed -n '/^locked$/,/^unlocked$/p' | grep '^action')
after=$(echo "$got" | sed -n '/^unlocked$/,$p' | grep '^action')
# Each character is one user change; the cursor move that comes with it may
# follow as action 0. The Left key is the last action before the lock.
ones=$(echo "$before" | grep -cx 'action 1')
[ "$ones" = 2 ] || { echo "typing two characters gave $ones user changes:"; echo "$before"; status=1; }
[ "$(echo "$before" | tail -n 1)" = "action 0" ] || { echo "Left gave no cursor move:"; echo "$before"; status=1; }
[ -z "$during" ] || { echo "events while locked:"; echo "$during"; status=1; }
[ "$(echo "$after" | head -n 1)" = "action 1" ] || { echo "typing after the unlock:"; echo "$after"; status=1; }
# "xy" typed before "ab", Left between x and y, "q" typed there while
# locked, the unlock puts the cursor back where the lock found it, "z".
text=$(echo "$got" | grep '^text ')
[ "$text" = "text xzqyab" ] || { echo "got '$text', expected 'text xzqyab'"; status=1; }
exit $status
