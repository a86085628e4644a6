#!/usr/bin/env bash
# Installs the runtime, its tools and the SDK under PREFIX (make install
# PREFIX=...), laid out for user projects:
#   bin/                   runtime.dll, vornrun.exe, vornpack.exe, vornimg
#   include/vorn/          vorn.h, vorn_constants.h, vorn_text.h
#   share/vorn/            vorn.symbols (found by vornimg from its own place)
#   share/doc/vorn/        commands.md
#   lib/cmake/Vorn/        the CMake package (find_package(Vorn)) and the
#                          mingw-w64 toolchain file
#   install.sh PREFIX BIN_DIR
set -e
prefix="$1"
bin="$2"
root="$(cd "$(dirname "$0")/.." && pwd)"
[ -n "$prefix" ] && [ -d "$bin" ] || { echo "usage: install.sh PREFIX BIN_DIR" >&2; exit 2; }
install -d "$prefix/bin" "$prefix/include/vorn" "$prefix/share/vorn" "$prefix/share/doc/vorn" "$prefix/lib/cmake/Vorn"
install -m 644 "$bin/runtime.dll" "$prefix/bin/"
install -m 755 "$bin/vornrun.exe" "$bin/vornpack.exe" "$bin/vornimg" "$prefix/bin/"
install -m 644 "$root/sdk/vorn.h" "$root/sdk/vorn_constants.h" "$root/sdk/vorn_text.h" "$prefix/include/vorn/"
install -m 644 "$root/sdk/vorn.symbols" "$prefix/share/vorn/"
install -m 644 "$root/docs/commands.md" "$prefix/share/doc/vorn/"
install -m 644 "$root/cmake/package/VornConfig.cmake" "$prefix/lib/cmake/Vorn/"
install -m 644 "$root/cmake/mingw-i686.cmake" "$prefix/lib/cmake/Vorn/"
echo "installed into $prefix"
