#!/usr/bin/env bash
# Finished programs made by vornpack run on their own as GUI programs (console
# programs with --console) and tell how they ended by their exit code: 0 after
# a normal return or End, 1 after a runtime error, whose message a box
# captioned with the application title (the executable's name, or what
# AppTitle set) shows first. vornpack refuses what the runtime would refuse,
# with the linker's own text, and makes icons and version information.
#   packed_executable.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../../scripts/win32-support.sh"
skip_without_win32
bin="$1"; programs="$2"
winerun="$(dirname "$0")/../../scripts/winerun"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "$*"; status=1; }

pack() { "$winerun" "$bin/vornpack.exe" "${@:3}" "$programs/$1.img" "$work/$2.exe" || { echo "vornpack $1 failed"; exit 1; }; }

# The subsystem field as objdump prints it: 2 GUI, 3 console.
subsystem() { i686-w64-mingw32-objdump -p "$work/$1.exe" | awk '$1 == "Subsystem" { print $2 + 0 }'; }

# vornpack ARGS... must fail with exit code CODE and print TEXT on standard error.
expect_refusal() {
    local code="$1" text="$2"; shift 2
    local err got
    "$winerun" "$bin/vornpack.exe" "$@" >/dev/null 2>"$work/err"; got=$?
    err=$(tr -d '\r' <"$work/err")
    [ "$got" = "$code" ] || fail "vornpack $*: exit code $got, expected $code"
    grep -qF -- "$text" <<<"$err" || fail "vornpack $*: '$err' does not say '$text'"
    [ ! -e "$work/refused.exe" ] || fail "vornpack $*: left an output file"
}

pack empty_main good
[ "$(subsystem good)" = 2 ] || fail "good.exe: subsystem $(subsystem good), expected 2 (GUI)"
"$winerun" "$work/good.exe"; code=$?
[ "$code" = 0 ] || fail "good.exe: exit code $code, expected 0"
pack end_in_nested_calls ended --console
[ "$(subsystem ended)" = 3 ] || fail "ended.exe: subsystem $(subsystem ended), expected 3 (console)"
"$winerun" "$work/ended.exe"; code=$?
[ "$code" = 0 ] || fail "ended.exe (End): exit code $code, expected 0"

# What the runtime refuses, vornpack refuses.
expect_refusal 2 "Can't find symbol: _fnosuch" "$programs/unknown_command.img" "$work/refused.exe"
printf 'int main(void) { return 0; }\n' >"$work/prog.c"
expect_refusal 2 "Corrupt module image" "$work/prog.c" "$work/refused.exe"
i686-w64-mingw32-gcc -c "$work/prog.c" -o "$work/prog.o"
expect_refusal 2 "Corrupt module image" "$work/prog.o" "$work/refused.exe"
head -c 3000 /dev/urandom >"$work/noise.img"
expect_refusal 2 "" "$work/noise.img" "$work/refused.exe"
expect_refusal 2 "not an icon file" --icon "$work/prog.c" "$programs/empty_main.img" "$work/refused.exe"
expect_refusal 2 "unknown option --nonsense" --nonsense "$programs/empty_main.img" "$work/refused.exe"
for tool in vornpack vornrun; do
    help=$("$winerun" "$bin/$tool.exe" --help | tr -d '\r'); code=$?
    [ "$code" = 0 ] && grep -q "^usage: $tool" <<<"$help" || fail "$tool --help: exit code $code, text '$help'"
done

# Icon and version information.
convert -size 16x16 xc:red -size 32x32 xc:blue "$work/two.ico"
pack empty_main dressed --icon "$work/two.ico" --title "Vorn Dressed Test" --version "1.2.3.4 beta"
strings -el "$work/dressed.exe" | grep -qx "Vorn Dressed Test" || fail "dressed.exe: no title in its version information"
strings -el "$work/dressed.exe" | grep -qx "1.2.3.4 beta" || fail "dressed.exe: no version in its version information"
"$winerun" "$work/dressed.exe"; code=$?
[ "$code" = 0 ] || fail "dressed.exe: exit code $code, expected 0"

if [ -z "${DISPLAY:-}" ]; then echo "skipped: no X display for the message box part"; exit 77; fi

# Runs EXE, expects a message box CAPTION with TEXT, closes it, expects CODE.
expect_box() {
    local exe="$1" caption="$2" text="$3" code="$4"
    "$winerun" "$work/$exe.exe" & local pid=$!
    for _ in $(seq 600); do xdotool search --name "^$caption\$" >/dev/null 2>&1 && break; sleep 0.1; done
    xdotool search --name "^$caption\$" >/dev/null 2>&1 || fail "$exe: no X window captioned '$caption'"
    local got
    got=$("$winerun" "$bin/msgbox_probe.exe" "$caption" 60000 | tr -d '\r')
    [ "$got" = "$text" ] || fail "$exe: message '$got' in box '$caption', expected '$text'"
    wait $pid; local exit_code=$?
    [ "$exit_code" = "$code" ] || fail "$exe: exit code $exit_code, expected $code"
}

pack fault_divide_by_zero fault
expect_box fault fault "Integer divide by zero" 1

pack app_title titled
expect_box titled "Vorn Title Test" "titled" 1
exit $status
