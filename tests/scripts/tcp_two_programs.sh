#!/usr/bin/env bash
# Two programs talk TCP over loopback: tcp_peer_server listens and squares
# the numbers that tcp_peer_client sends it, each in its own vornrun process.
#   tcp_two_programs.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../../scripts/win32-support.sh"
skip_without_win32
bin="$1"; programs="$2"
winerun="$(dirname "$0")/../../scripts/winerun"
work=$(mktemp -d)
server_pid=""
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
status=0

"$winerun" "$bin/vornrun.exe" "$programs/tcp_peer_server.img" >"$work/server.out" 2>"$work/server.err" </dev/null &
server_pid=$!
for _ in $(seq 300); do grep -q listening "$work/server.out" 2>/dev/null && break; sleep 0.1; done
grep -q listening "$work/server.out" || { echo "server did not start listening:"; cat "$work/server.out" "$work/server.err"; exit 1; }

"$winerun" "$bin/vornrun.exe" "$programs/tcp_peer_client.img" >"$work/client.out" 2>"$work/client.err" </dev/null
client_code=$?
wait "$server_pid"; server_code=$?
server_pid=""

expect() { # expect NAME CODE WANTED-OUTPUT
    local got; got=$(tr -d '\r' <"$work/$1.out")
    [ "$2" = 0 ] || { echo "$1: exit code $2, expected 0"; cat "$work/$1.err"; status=1; }
    [ "$got" = "$3" ] || { echo "$1 printed:"; echo "$got"; echo "expected:"; echo "$3"; status=1; }
}
expect client "$client_code" "$(printf 'square %s\n' 1 4 9 16 25)"
expect server "$server_code" "$(printf 'listening\nanswered 5')"
exit $status
