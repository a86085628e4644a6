# Sourced by the shell tests that run one gadget program under the X display
# and drive its window with xdotool:
#   . tests/support/gui_peer.bash BIN_DIR PROGRAM_DIR IMAGE TITLE
# skips without 32-bit support or an X display, starts vornrun IMAGE in the
# background (standard output in $work/out, standard error in $work/err),
# waits for its "ready" line and sets $wid to the X window titled TITLE.
# wait_peer waits for the program to end and sets $code.
here_peer="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here_peer/../../scripts/win32-support.sh"
skip_without_win32
bin="$1"; programs="$2"
[ -n "${DISPLAY:-}" ] || { echo "skipped: no X display"; exit 77; }
work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

"$here_peer/../../scripts/winerun" "$bin/vornrun.exe" "$programs/$3" >"$work/out" 2>"$work/err" </dev/null &
pid=$!
for _ in $(seq 300); do grep -q ready "$work/out" 2>/dev/null && break; sleep 0.1; done
wid=""
for _ in $(seq 100); do wid=$(xdotool search --name "^$4\$" 2>/dev/null | head -n 1); [ -n "$wid" ] && break; sleep 0.1; done
[ -n "$wid" ] || { echo "no X window for the program's window"; cat "$work/out" "$work/err"; exit 1; }

wait_peer() {
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    wait "$pid"; code=$?
    pid=""
}
