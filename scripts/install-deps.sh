#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
# Idempotent and silent when everything is already there.
set -euo pipefail

packages=(g++-mingw-w64-i686-posix cmake ninja-build wine wine32:i386 xvfb xauth
          xdotool xclip imagemagick libstb-dev googletest fonts-dejavu-core
          sox vorbis-tools lame gstreamer1.0-tools gstreamer1.0-plugins-base
          gstreamer1.0-plugins-good gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
          libgl1:i386 libgl1-mesa-dri:i386 libglx-mesa0:i386  # OpenGL under Wine: Mesa's software renderer
          g++-multilib clang libclang-rt-14-dev  # the native build and its fuzzers
          libsdl2-dev libpixman-1-dev pkg-config)  # the native benchmarks compare with these

packages+=(dpkg-dev patch python3)  # apt-get source unpacks libxmp with dpkg-source, patch applies our fixes; python3 writes test modules

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# libxmp has no package for the Windows target: the build fetches Debian's
# source package with apt-get source, which needs deb-src entries. Where none
# exists, add them for the Debian suites the machine already uses.
src_list=/etc/apt/sources.list.d/vorn-deb-src
if ! grep -Eqs '^[[:space:]]*deb-src[[:space:]]|^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/*; then
    one_line=$(grep -hEs '^[[:space:]]*deb[[:space:]].*debian' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
               sed -E 's/^[[:space:]]*deb[[:space:]]/deb-src /' || true)
    deb822=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
             awk 'BEGIN { RS = ""; ORS = "\n\n" }
                  /(^|\n)Types:[^\n]*[ \t]deb([ \t]|\n|$)/ && /URIs:[^\n]*debian/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' || true)
    [ -z "$one_line" ] || echo "$one_line" | $sudo tee $src_list.list >/dev/null
    [ -z "$deb822" ] || echo "$deb822" | $sudo tee $src_list.sources >/dev/null
    $sudo apt-get update -qq
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
