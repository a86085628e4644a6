# The common part of the shell tests that run one program under the X display
# and drive it with xdotool. Sourced with the test's own arguments
# (BIN_DIR PROGRAM_DIR): skips without 32-bit support or a display, sets
# $bin, $programs and $winerun, makes a work folder $work that goes with the
# program when the test ends, and gives the helpers below.
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/win32-support.sh"
skip_without_win32
bin="$1"; programs="$2"
winerun="$(dirname "${BASH_SOURCE[0]}")/../../scripts/winerun"
[ -n "${DISPLAY:-}" ] || { echo "skipped: no X display"; exit 77; }
work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# start_program NAME: runs the image NAME.img in the background; its output
# goes to $work/out and $work/err.
start_program() {
    "$winerun" "$bin/vornrun.exe" "$programs/$1.img" >"$work/out" 2>"$work/err" </dev/null &
    pid=$!
}

# wait_for LINE: until the program has printed that whole line; ends the
# test with what it printed when it does not in 30 s.
wait_for() {
    for _ in $(seq 600); do tr -d '\r' <"$work/out" | grep -qxF "$1" && return 0; sleep 0.05; done
    echo "the program never printed '$1'"; tr -d '\r' <"$work/out"; cat "$work/err"; exit 1
}

# window_named REGEX: the first X window whose name matches, in $wid; ends
# the test when none appears in 30 s.
window_named() {
    wid=""
    for _ in $(seq 600); do wid=$(xdotool search --name "$1" 2>/dev/null | head -n 1); [ -n "$wid" ] && return 0; sleep 0.05; done
    echo "no window named $1"; tr -d '\r' <"$work/out"; exit 1
}

# finish_program: waits up to 10 s for the program to end; its exit code in
# $code and its output, without CRs, in $got. A program still running then
# is ended and reported, with exit code "running".
finish_program() {
    await_program "$pid" 10
    pid=""
    got=$(tr -d '\r' <"$work/out")
}
