#!/usr/bin/env bash
# Finished programs made by vornpack run on their own: a good one exits with
# 0; one whose image fails to link shows the fatal text in a message box
# captioned "Unable to run Vorn Basic module" and exits with -1 (255); a
# runtime error shows its message in a box captioned with the application
# title (the executable's name, or what AppTitle set) and the program ends
# normally.
#   packed_executable.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../../scripts/win32-support.sh"
skip_without_win32
bin="$1"; programs="$2"
winerun="$(dirname "$0")/../../scripts/winerun"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

pack() { "$winerun" "$bin/vornpack.exe" "$programs/$1.img" "$work/$2.exe" || { echo "vornpack $1 failed"; exit 1; }; }

# Runs EXE, expects a message box CAPTION with TEXT, closes it, expects CODE.
expect_box() {
    local exe="$1" caption="$2" text="$3" code="$4"
    "$winerun" "$work/$exe.exe" & local pid=$!
    for _ in $(seq 600); do xdotool search --name "^$caption\$" >/dev/null 2>&1 && break; sleep 0.1; done
    xdotool search --name "^$caption\$" >/dev/null 2>&1 || { echo "$exe: no X window captioned '$caption'"; status=1; }
    local got
    got=$("$winerun" "$bin/msgbox_probe.exe" "$caption" 60000 | tr -d '\r')
    [ "$got" = "$text" ] || { echo "$exe: message '$got' in box '$caption', expected '$text'"; status=1; }
    wait $pid; local exit_code=$?
    [ "$exit_code" = "$code" ] || { echo "$exe: exit code $exit_code, expected $code"; status=1; }
}

pack empty_main good
"$winerun" "$work/good.exe"; code=$?
[ "$code" = 0 ] || { echo "good.exe: exit code $code, expected 0"; status=1; }

if [ -z "${DISPLAY:-}" ]; then echo "no X display: message box part skipped"; exit $status; fi

pack unknown_command bad
expect_box bad "Unable to run Vorn Basic module" "Can't find symbol: _fnosuch" 255

pack fault_divide_by_zero fault
expect_box fault fault "Integer divide by zero" 0

pack app_title titled
expect_box titled "Vorn Title Test" "titled" 0
exit $status
