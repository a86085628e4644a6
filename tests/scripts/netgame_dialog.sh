#!/usr/bin/env bash
# The multiplayer start dialog driven from the keyboard with xdotool: Escape
# cancels (0); choosing the TCP/IP connection and pressing "Create new game"
# with no name shows the request for one; with a name the game is created (2).
#   netgame_dialog.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../../scripts/win32-support.sh"
skip_without_win32
bin="$1"; programs="$2"
winerun="$(dirname "$0")/../../scripts/winerun"
if [ -z "${DISPLAY:-}" ]; then echo "skipped: no X display"; exit 77; fi
work=$(mktemp -d)
pid=""
cleanup() { [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
status=0

open_dialog() { # starts the program; sets $pid and $wid
    "$winerun" "$bin/vornrun.exe" "$programs/netgame_dialog.img" >"$work/out" 2>"$work/err" </dev/null &
    pid=$!
    wid=""
    for _ in $(seq 300); do
        wid=$(xdotool search --name '^Start Multiplayer Game$' 2>/dev/null | head -1)
        [ -n "$wid" ] && break
        sleep 0.1
    done
    [ -n "$wid" ] || { echo "no dialog window"; cat "$work/out" "$work/err"; exit 1; }
    # Keys go where a user's would: to the dialog with the input focus.
    xdotool windowfocus "$wid" 2>/dev/null
    sleep 0.5
}
finish() { # finish EXPECTED-OUTPUT; a program still running after 30 s is ended
    local code
    await_program "$pid" 30
    pid=""
    local got; got=$(tr -d '\r' <"$work/out")
    [ "$code" = 0 ] || { echo "exit code $code"; cat "$work/err"; status=1; }
    [ "$got" = "$1" ] || { echo "printed '$got', expected '$1'"; status=1; }
}

open_dialog
# A dialog on a slow machine may be shown before it takes keys: Escape is
# pressed in it again until the program has ended.
for _ in $(seq 10); do
    xdotool key --window "$wid" Escape 2>/dev/null
    for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break 2; sleep 0.1; done
done
finish "dialog 0"

open_dialog
# The connection box has the focus: the second entry is TCP/IP.
xdotool key Down
sleep 0.3
xdotool key Return
got=$("$winerun" "$bin/msgbox_probe.exe" "DirectPlay Request" 20000 | tr -d '\r')
[ "$got" = "Please enter a name for the new game" ] || { echo "message box said '$got'"; status=1; }
sleep 0.3
xdotool windowfocus "$wid" 2>/dev/null
# Back from the connection box to the name box: Cancel, Create, name.
xdotool key shift+Tab shift+Tab shift+Tab
xdotool type "dialog$$"
xdotool key Return
finish "dialog 2"
exit $status
