#!/usr/bin/env bash
# Real X input reaches a program's window: xdotool types a key and a cursor
# key, clicks and turns the wheel over the window, then closes it with
# Alt+F4 (the user's close; there is no window manager to draw a close box).
# The program prints what arrived as events and what the polling commands
# counted.
#   gui_real_input.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../support/gui_script.sh"

start_program gui_input_peer
wait_for ready
window_named '^Vorn Input Test$'

xdotool windowfocus --sync "$wid"
sleep 0.3
xdotool key a
xdotool key Up
xdotool mousemove --window "$wid" 60 80 click 1
xdotool click 4
xdotool click 5
sleep 0.3
xdotool key --window "$wid" alt+F4
finish_program
status=0
[ "$code" = 0 ] || { echo "exit code $code, expected 0"; cat "$work/err"; status=1; }
# The events of each step, in order; Alt+F4 adds its own key events before
# the close, which are not checked.
want=$(printf '%s\n' "key down 30" "char 97" "key up 30" "key down 200" "char 63232" "key up 200" \
    "mouse down 100" "mouse up 100" "wheel 1" "wheel -1")
steps=$(echo "$got" | grep -E '^(key|char|mouse|wheel)' | head -n 10)
[ "$steps" = "$want" ] || { echo "events:"; echo "$steps"; echo "expected:"; echo "$want"; status=1; }
tail=$(echo "$got" | tail -n 4)
want_tail=$(printf '%s\n' "close from window 1" "key hits 1" "clicks 1" "wheel 0")
[ "$tail" = "$want_tail" ] || { echo "after the close:"; echo "$tail"; echo "expected:"; echo "$want_tail"; status=1; }
exit $status
