#!/usr/bin/env bash
# Runs one program test: vornrun IMAGE, then compares standard output,
# standard error and the exit code with the expectations beside the source.
# NAME.in, when present, is the program's standard input. The lines vornrun
# adds after a runtime error to say where it happened ("  fault at ...",
# "  called from ...") are compared only against NAME.where, when present:
# extended regular expressions that must each match one of them.
#   check_program.sh BIN_DIR IMAGE EXPECT_BASE
bin="$1"; image="$2"; base="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/../scripts/win32-support.sh"
skip_without_win32
out=$(mktemp); err=$(mktemp)
trap 'rm -f "$out" "$err" "$err.main" "$err.where"' EXIT
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
where='^  (fault at|called from) '
tr -d '\r' <"$err" | grep -Ev "$where" >"$err.main"
tr -d '\r' <"$err" | grep -E "$where" >"$err.where"
if [ -f "$base.err" ]; then
    if ! diff -u "$base.err" "$err.main"; then echo "standard error differs"; status=1; fi
elif [ -s "$err.main" ]; then
    echo "unexpected standard error:"; cat "$err.main"; status=1
fi
if [ -f "$base.where" ]; then
    while read -r pattern; do
        if ! grep -Eq "$pattern" "$err.where"; then
            echo "no location line matches '$pattern' in:"; cat "$err.where"; status=1
        fi
    done <"$base.where"
fi
if [ "$code" != "$want_code" ]; then echo "exit code: got $code, expected $want_code"; status=1; fi
exit $status
