#!/usr/bin/env bash
# sdk/vorn.h, sdk/vorn.symbols and docs/commands.md must be what vornsdk.exe
# makes from the registrations linked into it (so the build host's vornsdk,
# which reads them from the sources, reads them right), and vornrun --symbols
# must list the same names in the same order.
. "$(dirname "$0")/../../scripts/win32-support.sh"
skip_without_win32
bin="$1"
root="$(cd "$(dirname "$0")/../.." && pwd)"
winerun="$root/scripts/winerun"
cd "$root" || exit 1
for pair in ":sdk/vorn.h" "--symbols:sdk/vorn.symbols" "--reference:docs/commands.md"; do
    option="${pair%%:*}" file="${pair#*:}"
    if ! diff -u "$file" <("$winerun" "$bin/vornsdk.exe" --descriptions docs/command_descriptions.txt $option | tr -d '\r'); then
        echo "$file differs from the registry's: run 'make sdk'"
        exit 1
    fi
done
symbols=$("$winerun" "$bin/vornrun.exe" --symbols | tr -d '\r')
declared=$(grep -oE 'VORN_API (f[a-z0-9_]+|_kr[A-Za-z]+)\(' "$root/sdk/vorn.h" | sed -E 's/VORN_API (.*)\(/\1/')
names=$(echo "$symbols" | sed -E 's/^[%#$]//; s/[%#$].*//' | awk '/^_/ {print; next} {print "f" tolower($0)}' | grep -vE '^_kr[A-Za-z]*Type$')
if [ "$names" != "$declared" ]; then
    diff <(echo "$names") <(echo "$declared")
    echo "vornrun --symbols and sdk/vorn.h disagree"
    exit 1
fi
