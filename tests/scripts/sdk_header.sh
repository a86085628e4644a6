#!/usr/bin/env bash
# sdk/vorn.h and sdk/vorn.symbols must be what vornsdk makes from the current
# registrations, and vornrun --symbols must list the same names in the same
# order.
. "$(dirname "$0")/../../scripts/win32-support.sh"
skip_without_win32
bin="$1"
root="$(cd "$(dirname "$0")/../.." && pwd)"
winerun="$root/scripts/winerun"
if ! diff -u "$root/sdk/vorn.h" <("$winerun" "$bin/vornsdk.exe" | tr -d '\r'); then
    echo "sdk/vorn.h is stale: run 'make sdk'"
    exit 1
fi
if ! diff -u "$root/sdk/vorn.symbols" <("$winerun" "$bin/vornsdk.exe" --symbols | tr -d '\r'); then
    echo "sdk/vorn.symbols is stale: run 'make sdk'"
    exit 1
fi
symbols=$("$winerun" "$bin/vornrun.exe" --symbols | tr -d '\r')
declared=$(grep -oE 'VORN_API (f[a-z0-9_]+|_kr[A-Za-z]+)\(' "$root/sdk/vorn.h" | sed -E 's/VORN_API (.*)\(/\1/')
names=$(echo "$symbols" | sed -E 's/^[%#$]//; s/[%#$].*//' | awk '/^_/ {print; next} {print "f" tolower($0)}' | grep -vE '^_kr[A-Za-z]*Type$')
if [ "$names" != "$declared" ]; then
    diff <(echo "$names") <(echo "$declared")
    echo "vornrun --symbols and sdk/vorn.h disagree"
    exit 1
fi
