#!/usr/bin/env bash
# The requesters driven with xdotool: Proceed closed with Escape gives -1;
# the file requester offers "bmp Files", "png Files" and "All files" and
# returns a typed path; the colour and font requesters cancelled with Escape
# give 0 and leave the requested colour at 255, 255, 255; afterwards a key
# typed reaches the text area that had the focus before the dialogs.
#   gui_requesters.sh BIN_DIR PROGRAM_DIR
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
status=0

wait_for() { # wait_for LINE: until the program has printed that line
    for _ in $(seq 300); do tr -d '\r' <"$work/out" | grep -qx "$1" && return 0; sleep 0.05; done
    echo "the program never printed '$1'"; tr -d '\r' <"$work/out"; cat "$work/err"; exit 1
}
window_named() { # window_named REGEX: the X window of a dialog, focused
    local wid=""
    for _ in $(seq 200); do wid=$(xdotool search --name "$1" 2>/dev/null | head -n 1); [ -n "$wid" ] && break; sleep 0.05; done
    [ -n "$wid" ] || { echo "no window named $1"; tr -d '\r' <"$work/out"; exit 1; }
    xdotool windowfocus "$wid" 2>/dev/null
    sleep 0.5
}

: >"$work/pick.bmp"
path="Z:$(echo "$work/pick.bmp" | tr '/' '\\')"

"$winerun" "$bin/vornrun.exe" "$programs/requesters_peer.img" >"$work/out" 2>"$work/err" </dev/null &
pid=$!
wait_for ready

window_named '^Vorn Requesters$'
xdotool key Escape
wait_for "proceed -1"

filters=$("$winerun" "$bin/dialog_probe.exe" "Vorn Pick File" 0x470 20000 | tr -d '\r')
want_filters=$(printf '%s\n' "bmp Files" "png Files" "All files")
[ "$filters" = "$want_filters" ] || { echo "filter list:"; echo "$filters"; echo "expected:"; echo "$want_filters"; status=1; }
window_named '^Vorn Pick File$'
# The name box starts with the pattern *.bmp: cleared, then the path typed.
xdotool key End
xdotool key --repeat 16 BackSpace
xdotool type --delay 30 "$path"
xdotool key Return
wait_for "asking colour"
got_file=$(tr -d '\r' <"$work/out" | grep '^file ')
if [ "${got_file,,}" != "file ${path,,}" ]; then echo "got '$got_file', expected 'file $path'"; status=1; fi

window_named '^Colou?r$'
xdotool key Escape
wait_for "asking font"
window_named '^Font$'
xdotool key Escape
wait_for "font 0"
sleep 0.5
xdotool type k
wait_for "typed into the text area"
wid=$(xdotool search --name '^Vorn Requester Window$' | head -n 1)
xdotool key --window "$wid" alt+F4
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid"; code=$?
pid=""

got=$(tr -d '\r' <"$work/out")
[ "$code" = 0 ] || { echo "exit code $code, expected 0"; cat "$work/err"; status=1; }
want_colour=$(printf '%s\n' "colour 0" "red 255" "green 255" "blue 255")
[ "$(echo "$got" | grep -E '^(colour|red|green|blue) ')" = "$want_colour" ] || { echo "colour results:"; echo "$got"; status=1; }
[ "$(echo "$got" | grep '^text ')" = "text k" ] || { echo "the key went elsewhere:"; echo "$got"; status=1; }
exit $status
