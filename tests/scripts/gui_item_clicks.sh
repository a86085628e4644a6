#!/usr/bin/env bash
# Real user selections in item-list gadgets and a tree view: xdotool presses
# Down in a focused combo box, clicks the second row of a list box, a
# tabber's second tab and a tree view's second node, then the empty space
# below the list's rows, then closes the window with Alt+F4. The program
# prints every selection event with its data and the stored selection.
#   gui_item_clicks.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../support/gui_script.sh"

start_program gui_items_peer
wait_for ready
window_named '^Vorn Items Test$'

# Clicks go to screen positions: the client area's origin (the program says
# where) plus the gadget places in it: list (10,10 150x120, 40-pixel rows),
# tabber (200,10), combo (10,150), tree (200,150, 40-pixel rows).
cx=$(tr -d '\r' <"$work/out" | sed -n 's/^client x //p')
cy=$(tr -d '\r' <"$work/out" | sed -n 's/^client y //p')
# No --sync: it waits for a motion event, which never comes when the
# pointer is already there or cannot get there.
at() { xdotool mousemove $((cx + $1)) $((cy + $2)); sleep 0.2; xdotool click 1; sleep 0.3; }
# The window is active from its creation and the combo box has the focus.
xdotool windowfocus --sync "$wid"
sleep 0.3
xdotool key Down
sleep 0.3
at 60 79
at 260 22
at 280 222
# The click below the list's rows comes last: it gives the list the focus.
# Wine's tree view keeps Alt+F4 to itself (a plain Win32 program shows the
# same), so the close must not be pressed while the tree has the focus.
at 60 125
sleep 0.2
xdotool key --window "$wid" alt+F4
finish_program
status=0
[ "$code" = 0 ] || { echo "exit code $code, expected 0"; cat "$work/err"; status=1; }
check() { # kind, expected last event line of that kind
    last=$(echo "$got" | grep -E "^$1 " | tail -n 1)
    [ "$last" = "$2" ] || { echo "$1: got '$last', expected '$2'"; status=1; }
}
check combo "combo 1 selected 1"
check list "list 1 selected 1"
check tab "tab 1 selected 1"
check tree "tree 0 selected B"
# The click below the rows selected nothing: no event, the stored item kept.
[ "$(echo "$got" | grep -c '^list ')" = 1 ] || { echo "list events:"; echo "$got" | grep '^list '; status=1; }
want_tail=$(printf '%s\n' "at close list 1" "at close tab 1" "at close combo 1" "at close tree B")
tail=$(echo "$got" | tail -n 4)
[ "$tail" = "$want_tail" ] || { echo "at the close:"; echo "$tail"; echo "expected:"; echo "$want_tail"; status=1; }
[ $status = 0 ] || { echo "program output:"; echo "$got"; }
exit $status
