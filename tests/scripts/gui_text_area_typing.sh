#!/usr/bin/env bash
# Real typing into a text area: xdotool types two characters (each a user
# change, action 1), presses Left (a cursor move, action 0, at which the
# program locks the area), types and moves while the area is locked (no
# events), then types once more after the program has unlocked it (action 1).
# The text ends up with every character typed, in place.
#   gui_text_area_typing.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../support/gui_script.sh"

start_program text_area_peer
wait_for ready
window_named '^Vorn Text Area Test$'
# The window is active from its creation and the area has the focus; an
# activation now (say "focused") would only give the area the focus again.
xdotool windowfocus --sync "$wid"
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
finish_program

status=0
[ "$code" = 0 ] || { echo "exit code $code, expected 0"; cat "$work/err"; status=1; }
before=$(echo "$got" | sed -n '/^ready$/,/^locked$/p' | grep '^action')
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
