#!/usr/bin/env bash
# The requesters driven with xdotool: Proceed closed with Escape gives -1;
# the file requester offers "bmp Files", "png Files" and "All files" and
# returns a typed path; the colour and font requesters cancelled with Escape
# give 0 and leave the requested colour at 255, 255, 255; the directory
# requester cancelled gives the empty string; afterwards a key
# typed reaches the text area that had the focus before the dialogs.
#   gui_requesters.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../support/gui_script.sh"
status=0

# window_named, then the keyboard to that dialog.
focus_dialog() {
    window_named "$1"
    xdotool windowfocus "$wid" 2>/dev/null
    sleep 0.5
}

# close_with KEY LINE: presses KEY in the dialog $wid until the program
# prints LINE. On a slow machine a dialog can be shown before it takes keys,
# and the first press is lost. Presses go to that dialog's window only and
# stop once it is gone, so that none reaches the dialog that follows.
close_with() {
    for _ in $(seq 10); do
        xdotool key --window "$wid" "$1" 2>/dev/null
        for _ in $(seq 60); do tr -d '\r' <"$work/out" | grep -qxF "$2" && return 0; sleep 0.05; done
        xdotool getwindowname "$wid" >/dev/null 2>&1 || break
    done
    wait_for "$2"
}

: >"$work/pick.bmp"
path="Z:$(echo "$work/pick.bmp" | tr '/' '\\')"

start_program requesters_peer
wait_for ready

focus_dialog '^Vorn Requesters$'
close_with Escape "proceed -1"

filters=$("$winerun" "$bin/dialog_probe.exe" "Vorn Pick File" 0x470 20000 | tr -d '\r')
want_filters=$(printf '%s\n' "bmp Files" "png Files" "All files")
[ "$filters" = "$want_filters" ] || { echo "filter list:"; echo "$filters"; echo "expected:"; echo "$want_filters"; status=1; }
focus_dialog '^Vorn Pick File$'
# The name box starts with the pattern *.bmp: cleared, then the path typed.
xdotool key End
xdotool key --repeat 16 BackSpace
xdotool type --delay 30 "$path"
xdotool key Return
wait_for "asking colour"
got_file=$(tr -d '\r' <"$work/out" | grep '^file ')
if [ "${got_file,,}" != "file ${path,,}" ]; then echo "got '$got_file', expected 'file $path'"; status=1; fi

focus_dialog '^Colou?r$'
close_with Escape "asking font"
focus_dialog '^Font$'
close_with Escape "font 0"
focus_dialog '^Browse for Folder$'
close_with Escape "directory '"
# Without a window manager the X focus went back to the root window with the
# last dialog; the program's window gets it back, as a window manager would
# give it. Inside the window the key goes where the dialogs left the focus.
window_named '^Vorn Requester Window$'
xdotool windowfocus "$wid" 2>/dev/null
sleep 0.5
xdotool type k
wait_for "typed into the text area"
xdotool key --window "$wid" alt+F4
finish_program

[ "$code" = 0 ] || { echo "exit code $code, expected 0"; cat "$work/err"; status=1; }
want_colour=$(printf '%s\n' "colour 0" "red 255" "green 255" "blue 255")
[ "$(echo "$got" | grep -E '^(colour|red|green|blue) ')" = "$want_colour" ] || { echo "colour results:"; echo "$got"; status=1; }
[ "$(echo "$got" | grep '^text ')" = "text k" ] || { echo "the key went elsewhere:"; echo "$got"; status=1; }
exit $status
