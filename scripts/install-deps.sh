#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
# Idempotent and silent when everything is already there.
set -euo pipefail

packages=(g++-mingw-w64-i686-posix cmake ninja-build wine wine32:i386 xvfb xauth
          xdotool xclip imagemagick libstb-dev googletest fonts-dejavu-core
          sox vorbis-tools lame gstreamer1.0-tools gstreamer1.0-plugins-base
          gstreamer1.0-plugins-good gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
          libgl1-mesa-dri:i386 libglx-mesa0:i386  # OpenGL under Wine: Mesa's software renderer
          g++-multilib clang libclang-rt-14-dev)  # the last three: the native build and its fuzzers

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
