#!/usr/bin/env bash
# Runs one program test: vornrun IMAGE, then compares standard output,
# standard error and the exit code with the expectations beside the source.
# NAME.in, when present, is the program's standard input.
#   check_program.sh BIN_DIR IMAGE EXPECT_BASE
bin="$1"; image="$2"; base="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/../scripts/win32-support.sh"
skip_without_win32
out=$(mktemp); err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
args=()
[ -f "$base.args" ] && read -r -a args < "$base.args"
input=/dev/null
[ -f "$base.in" ] && input="$base.in"
"$here/../scripts/winerun" "$bin/vornrun.exe" "$image" "${args[@]}" >"$out" 2>"$err" <"$input"
code=$?
want_code=0
[ -f "$base.exit" ] && want_code=$(cat "$base.exit")
status=0
# Wine writes CR LF for text-mode output; compare lines without CR.
if [ -f "$base.out" ] && ! diff -u "$base.out" <(tr -d '\r' <"$out"); then
    echo "standard output differs (expected vs got above)"; status=1
fi
if [ -f "$base.err" ]; then
    if ! diff -u "$base.err" <(tr -d '\r' <"$err"); then echo "standard error differs"; status=1; fi
elif [ -s "$err" ]; then
    echo "unexpected standard error:"; cat "$err"; status=1
fi
if [ "$code" != "$want_code" ]; then echo "exit code: got $code, expected $want_code"; status=1; fi
exit $status
