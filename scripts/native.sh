#!/usr/bin/env bash
# The native build: every platform-independent file with AddressSanitizer and
# UndefinedBehaviorSanitizer, its unit tests (gcc) and its fuzz targets
# (clang's libFuzzer).
#
# Where this machine runs 32-bit x86 programs it targets 32-bit x86 (-m32)
# into build/native and build/fuzz. Where it cannot, the same trees are built
# for the host's own architecture into build/native-ARCH and build/fuzz-ARCH
# (build/native-x86_64 ...), so that the tests and the fuzzers still run.
# The benchmarks build without the sanitizers, optimised, for the host's own
# architecture into build/native-bench (the libraries they compare with are
# the host's Debian packages).
#   native.sh build|test|fuzz-build|check|bench|fuzz [SECONDS [RUNS [TARGET...]]]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/win32-support.sh
if win32_supported; then
    m32=ON suffix=""
else
    m32=OFF suffix="-$(uname -m)"
fi
native=build/native$suffix fuzz=build/fuzz$suffix jobs=${JOBS:-2}

build() {
    CXX=g++ CC=gcc cmake -S tests/native -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORN_NATIVE_M32=$m32 >/dev/null
    cmake --build "$native" -j "$jobs"
}

fuzz_build() {
    CXX=clang++ CC=clang cmake -S tests/native -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORN_FUZZ=ON \
        -DVORN_NATIVE_M32=$m32 >/dev/null
    cmake --build "$fuzz" -j "$jobs"
}

bench() {
    cmake -S tests/native -B build/native-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORN_NATIVE_BENCH=ON \
        -DVORN_NATIVE_M32=OFF -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc >/dev/null
    cmake --build build/native-bench -j "$jobs"
    local status=0
    for exe in build/native-bench/bench/*_bench; do
        echo "== $(basename "$exe") (native, $(uname -m))"
        "$exe" || status=1
    done
    return $status
}

if [ "${1:-}" = bench ]; then
    bench
    exit
fi
[ "$m32" = ON ] || echo "native build for $(uname -m) in $native and $fuzz: this machine cannot run 32-bit x86 programs"
case "${1:-}" in
build) build ;;
test) build && ctest --test-dir "$native" --output-on-failure ;;
fuzz-build) fuzz_build ;;
# What make test runs after the Windows suite: the unit tests, then each fuzz
# target over its corpus and for a few seconds more.
# The unit tests run from the fuzz tree there, so the library is built once.
check) fuzz_build && ctest --test-dir "$fuzz" --output-on-failure && FUZZ_SEED=1 tests/fuzz/run_fuzzers.sh "$fuzz" 5 ;;
fuzz) shift && fuzz_build && tests/fuzz/run_fuzzers.sh "$fuzz" "${1:-600}" "${2:-1000000}" "${@:3}" ;;
*) echo "usage: native.sh build|test|fuzz-build|check|bench|fuzz [SECONDS [RUNS [TARGET...]]]" >&2; exit 2 ;;
esac
