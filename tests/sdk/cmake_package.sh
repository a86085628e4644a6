#!/usr/bin/env bash
# The SDK as a user gets it: make install's layout in a fresh prefix, and a
# project outside the tree (tests/sdk/outside_project) that finds it with
# find_package(Vorn) and builds with vorn_add_program, cross-compiling one
# C++ and one C file freestanding into one module image. A program that calls
# the C library fails to build, naming the function. Where Windows programs
# run, the program is also packed and run.
#   cmake_package.sh BIN_DIR
bin="$1"
root="$(cd "$(dirname "$0")/../.." && pwd)"
. "$root/scripts/win32-support.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

"$root/scripts/install.sh" "$work/prefix" "$bin" > /dev/null || { echo "FAIL: install"; exit 1; }
project="$root/tests/sdk/outside_project"
if ! cmake -S "$project" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$work/prefix/lib/cmake/Vorn/mingw-i686.cmake" \
        -DCMAKE_PREFIX_PATH="$work/prefix" -DVORN_WINE="$root/scripts/winerun" > "$work/configure.log" 2>&1; then
    cat "$work/configure.log"
    echo "FAIL: the outside project does not configure"
    exit 1
fi

# The two-file program links into one image that starts at its main code.
cmake --build "$work/build" --target hello_image > "$work/hello.log" 2>&1 || { cat "$work/hello.log"; fail "hello_image"; }
dump=$("$work/prefix/bin/vornimg" --dump "$work/build/hello.img" 2>&1)
echo "$dump" | grep -qE '^symbol 0x[0-9a-f]+ __MAIN$' || fail "hello.img has no __MAIN: $dump"
for name in _report _fprint _fend; do
    echo "$dump" | grep -qE " $name( |$)" || fail "hello.img does not refer to $name"
done

# The C library is refused at build time with the name.
if cmake --build "$work/build" --target uses_libc_image > "$work/libc.log" 2>&1; then
    fail "a program calling strlen was built"
fi
grep -q 'strlen' "$work/libc.log" || { cat "$work/libc.log"; fail "the refusal does not name strlen"; }

# Packed and run where Windows programs run.
if win32_supported; then
    cmake --build "$work/build" --target hello > "$work/pack.log" 2>&1 || { cat "$work/pack.log"; fail "packing hello.exe"; }
    out=$("$root/scripts/winerun" "$work/build/hello.exe" | tr -d '\r')
    [ "$out" = "$(cat "$project/hello.out")" ] || fail "hello.exe printed: $out"
else
    echo "note: hello.exe not packed or run: this machine cannot run 32-bit programs"
fi

[ $failed -eq 0 ] && echo "cmake package: all checks passed"
exit $failed
