#!/usr/bin/env bash
# Fetches Debian's source package of libxmp (with Debian's patches applied)
# into DIR, once; the build cross-builds it from there. Its sources never
# enter the repository. Needs deb-src entries (scripts/install-deps.sh adds
# them where there are none).
# Then applies our own fixes, scripts/libxmp-patches/*.patch, each once (DIR's
# .vorn-patches lists those applied), so a tree fetched before a fix was
# added gets it too.
#   fetch-libxmp.sh DIR
set -euo pipefail
dest=$(realpath -m "$1")
patches="$(cd "$(dirname "$0")" && pwd)/libxmp-patches"

work=""
trap '[ -z "$work" ] || rm -rf "$work"' EXIT
fetch() {
    local src sudo=""
    work=$(mktemp -d)
    cd "$work"
    echo "fetching Debian's source package of libxmp"
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    # Package lists older than the deb-src entries know no source packages yet.
    if ! apt-get source -qq libxmp >log 2>&1 && ! { $sudo apt-get update -qq && apt-get source -qq libxmp >log 2>&1; }; then
        cat log >&2
        echo "apt-get source libxmp failed: run scripts/install-deps.sh (it adds deb-src entries)" >&2
        exit 1
    fi
    src=$(find . -maxdepth 1 -type d -name 'libxmp-*' | head -n 1)
    [ -n "$src" ] && [ -f "$src/include/xmp.h" ] || { echo "no libxmp sources unpacked" >&2; exit 1; }
    rm -rf "$dest"
    mkdir -p "$(dirname "$dest")"
    mv "$src" "$dest"
    cd /
}

[ -f "$dest/include/xmp.h" ] || fetch
touch "$dest/.vorn-patches"
for p in "$patches"/*.patch; do
    [ -f "$p" ] || continue
    name=$(basename "$p")
    grep -qxF "$name" "$dest/.vorn-patches" && continue
    echo "libxmp: applying $name"
    patch -s -p1 -N -d "$dest" <"$p" || { echo "libxmp: $name does not apply" >&2; exit 1; }
    echo "$name" >>"$dest/.vorn-patches"
done
