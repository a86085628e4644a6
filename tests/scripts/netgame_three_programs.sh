#!/usr/bin/env bash
# Three programs play one multiplayer game over loopback, each in its own
# vornrun process: netgame_host hosts, two netgame_member programs join (A
# first, then B), players arrive, the host sends everyone a type-200 message
# with a zero byte in it; then the host is killed, A becomes host and B's
# next message reaches A, which answers.
#   netgame_three_programs.sh BIN_DIR PROGRAM_DIR
bin="$1"; programs="$2"
here="$(dirname "$0")"
. "$here/../../scripts/win32-support.sh"
skip_without_win32
winerun="$here/../../scripts/winerun"
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
game="three$$x$RANDOM"

run() { # run NAME IMAGE ARGS...
    local who="$1"; shift
    "$winerun" "$bin/vornrun.exe" "$@" >"$work/$who.out" 2>"$work/$who.err" </dev/null &
    pids+=($!)
}
await() { # await NAME TEXT SECONDS
    for _ in $(seq $(( $3 * 10 ))); do grep -q "$2" "$work/$1.out" 2>/dev/null && return 0; sleep 0.1; done
    echo "$1 never printed '$2':"; cat "$work/$1.out" "$work/$1.err"; exit 1
}

run host "$programs/netgame_host.img" "$game"
host_pid=${pids[0]}
await host hosting 30
run a "$programs/netgame_member.img" "$game" A
await a joined 30
run b "$programs/netgame_member.img" "$game" B
await host sent 30
await a "type -56" 30
await b "type -56" 30
kill -9 "$host_pid"
wait "${pids[1]}"; a_code=$?
wait "${pids[2]}"; b_code=$?

status=0
expect() { # expect NAME CODE WANTED-OUTPUT
    local got; got=$(tr -d '\r' <"$work/$1.out")
    [ "$2" = 0 ] || { echo "$1: exit code $2, expected 0"; cat "$work/$1.err"; status=1; }
    [ "$got" = "$3" ] || { echo "$1 printed:"; echo "$got"; echo "expected:"; echo "$3"; status=1; }
}
expect a "$a_code" "$(printf '%s\n' joined 'arrived H' 'arrived B' 'type -56 data a' left 'became host' 'says after')"
expect b "$b_code" "$(printf '%s\n' joined 'arrived H' 'arrived A' 'type -56 data a' left 'reply ok')"
got=$(tr -d '\r' <"$work/host.out")
[ "$got" = "$(printf '%s\n' hosting 'arrived A' 'arrived B' sent)" ] || { echo "host printed:"; echo "$got"; status=1; }
exit $status
