#!/usr/bin/env bash
# Runs a command with the test environment up: an X display of its own
# (Xvfb), the project's Wine prefix, and a persistent wineserver so that each
# Wine start is quick. Everything started here is stopped again on exit.
set -u
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="$root/build/wine"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=d;mshtml=d"

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 130); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
        break
    done
fi

# Without a sound card ALSA's default device names card 0, and every program
# that opens audio would print ALSA's complaints on its standard error. Give
# such machines a null default device instead: sound is then played into
# nothing at real time, as the tests expect of a working output.
if [ ! -e /dev/snd/controlC0 ] && [ -f /usr/share/alsa/alsa.conf ]; then
    mkdir -p "$root/build"
    printf 'pcm.!default { type null }\n' > "$root/build/alsa-null.conf"
    export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$root/build/alsa-null.conf"
fi

. "$root/scripts/win32-support.sh"
if win32_supported; then
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "creating the Wine prefix in $WINEPREFIX"
        wineboot -i >/dev/null 2>&1
    fi
    wineserver -p >/dev/null 2>&1
    # A program that crashes gets a backtrace on its standard error and ends,
    # instead of a crash dialog that waits for a click nobody makes.
    if [ ! -f "$WINEPREFIX/.no-crash-dialog" ]; then
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null &&
            touch "$WINEPREFIX/.no-crash-dialog"
    fi
    # Start Wine's background services now, detached from our output: started
    # by the first test instead, they would inherit its output pipe and keep
    # the test runner waiting for it to close.
    wine cmd /c exit 0 >/dev/null 2>&1 </dev/null
else
    echo "NOTE: this machine cannot run 32-bit x86 programs (the kernel's 32-bit emulation is off);"
    echo "      everything is built, but the tests that run Windows programs under Wine are skipped."
fi

cleanup() {
    wineserver -k >/dev/null 2>&1
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

"$@"
