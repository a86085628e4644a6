#!/usr/bin/env bash
# Real X input on the simple gadgets: xdotool clicks a check box, types two
# letters and Enter into a text field, clicks a slider's arrow and a tool bar
# button, then closes the window with Alt+F4. The program prints the actions
# and modal events that arrived and the states it reads back afterwards.
#   gui_simple_input.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../support/gui_script.sh"
# The program runs in the work folder, where its icons are.
winerun="$(cd "$(dirname "$winerun")" && pwd)/winerun"

# Three 16x16 icons on a magenta (transparent) ground.
convert -size 48x16 xc:magenta -fill navy -draw "rectangle 4,4 11,11" -draw "rectangle 20,4 27,11" \
    -draw "rectangle 36,4 43,11" "BMP3:$work/tools.bmp"

cd "$work"
start_program gui_simple_peer
wait_for ready
window_named '^Vorn Simple Input$'

# Without a window manager the X window is the client area (no frame is
# drawn), so the positions below are client coordinates.
xdotool windowfocus --sync "$wid"
sleep 0.3
# The check box (10,40 100x20).
xdotool mousemove --window "$wid" 20 50 click 1
sleep 0.2
# The text field (10,70 150x22): focus it, type, press Enter.
xdotool mousemove --window "$wid" 60 80 click 1
sleep 0.2
xdotool type --delay 50 ab
xdotool key Return
sleep 0.2
# The right arrow of the slider (10,110 200x18).
xdotool mousemove --window "$wid" 202 119 click 1
sleep 0.2
# The first tool bar button, at the bar's left end.
xdotool mousemove --window "$wid" 10 10 click 1
sleep 0.3
xdotool key --window "$wid" alt+F4
finish_program
status=0
[ "$code" = 0 ] || { echo "exit code $code, expected 0"; cat "$work/err"; status=1; }
want=$(printf '%s\n' "action box 1" "action field 97" "action field 98" "action field 13" "modal begin" \
    "action slider 1" "action tools 0")
steps=$(echo "$got" | grep -E '^(action|modal)')
[ "$steps" = "$want" ] || { echo "events:"; echo "$steps"; echo "expected:"; echo "$want"; status=1; }
tail=$(echo "$got" | tail -n 4)
want_tail=$(printf '%s\n' "close" "box 1" "field ab" "slider 1")
[ "$tail" = "$want_tail" ] || { echo "after the close:"; echo "$tail"; echo "expected:"; echo "$want_tail"; status=1; }
exit $status
