#!/usr/bin/env bash
# Tests of the vornimg tool: compiles small C and assembly programs with the
# i686 mingw compiler, converts them, and checks the images through
# `vornimg --dump`, their raw bytes and, where Wine is present, by linking and
# running them with image_runner.exe.
# Usage: run_vornimg_tests.sh BUILD_DIR   (BUILD_DIR holds the vornimg binary)
# Exit codes: 0 all passed, 1 a failure, 77 the cross compiler is missing.
set -u

if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
VORNIMG=$(cd "$1" && pwd)/vornimg
HERE=$(cd "$(dirname "$0")" && pwd)
CASES=$HERE/cases
CC=i686-w64-mingw32-gcc
CFLAGS=(-c -O1 -fno-asynchronous-unwind-tables -fcommon)

if [ ! -x "$VORNIMG" ]; then
    echo "vornimg not found at $VORNIMG" >&2
    exit 1
fi
if ! command -v "$CC" >/dev/null; then
    echo "SKIP: $CC is not installed" >&2
    exit 77
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# compile SOURCE OBJ [extra flags]
compile() {
    local src=$1 obj=$2
    shift 2
    "$CC" "${CFLAGS[@]}" "$@" "$src" -o "$obj" || { fail "cannot compile $src"; return 1; }
}

# The names image_runner.exe gives the images it links.
printf '%s\n' _fprint _fprintint _fmillisecs __krStrConcat __krIntType >"$WORK/runner.symbols"

# convert OBJ IMAGE: vornimg must succeed and the dump must parse the result.
convert() {
    "$VORNIMG" --symbols "$WORK/runner.symbols" "$1" "$2" 2>"$WORK/err" || { fail "vornimg $1: $(cat "$WORK/err")"; return 1; }
    "$VORNIMG" --dump "$2" >"$2.dump" 2>"$WORK/err" || { fail "dump $2: $(cat "$WORK/err")"; return 1; }
}

# expect_line DUMP REGEX WHAT
expect_line() {
    grep -Eq "$2" "$1" || fail "$3 (no line matching '$2' in $(basename "$1"))"
}

# symbol_offset DUMP NAME -> decimal offset
symbol_offset() {
    local hex
    hex=$(awk -v n="$2" '$1 == "symbol" && $3 == n { print $2; exit }' "$1")
    [ -n "$hex" ] && echo $((hex))
}

# Bytes of the code block of IMAGE at OFFSET (decimal), COUNT of them, as hex.
code_bytes() {
    od -An -tx1 -v -j $((4 + $2)) -N "$3" "$1" | tr -d ' \n'
}

# NUL-terminated text in the code block of IMAGE at OFFSET (decimal).
code_text() {
    dd if="$1" bs=1 skip=$((4 + $2)) count=256 2>/dev/null | tr '\0' '\n' | head -n 1
}

# The text an absolute relocation at the start of symbol NAME points to: the
# field's target symbol offset plus its stored addend.
text_behind_pointer() {
    local image=$1 dump=$1.dump name=$2 field target addend
    field=$(symbol_offset "$dump" "$name") || return 1
    read -r target addend < <(awk -v f="$(printf '0x%08x' "$field")" \
        '$1 == "abs" && $2 == f { print $3, $4; exit }' "$dump")
    [ -n "$target" ] || return 1
    code_text "$image" $(($(symbol_offset "$dump" "$target") + addend))
}

# ---------------------------------------------------------------------------
echo "== entry jump, names and relocation values"
P=$WORK/program
if compile "$CASES/program.c" "$P.o" && convert "$P.o" "$P.img"; then
    D=$P.img.dump
    [ "$(code_bytes "$P.img" 0 1)" = e9 ] || fail "code does not start with a jmp rel32"
    [ "$(awk '$1 == "rel" { print $2, $3, $4; exit }' "$D")" = "0x00000001 __MAIN -4" ] ||
        fail "first relative relocation is not the jump to __MAIN with stored -4"
    expect_line "$D" '^symbol 0x[0-9a-f]{8} __MAIN$' "stdcall __MAIN@0 is exported as __MAIN"
    if awk '$1 ~ /^(symbol|rel|abs)$/ && $3 ~ /@/' "$D" | grep -q .; then
        fail "a name keeps its @N suffix"
    fi
    for name in _fprint _fprintint _fmillisecs __krStrConcat; do
        expect_line "$D" "^rel 0x[0-9a-f]{8} $name -4$" "plain call to $name is relative with stored -4"
    done
    if awk '$1 == "rel" && $3 ~ /^_f|^__kr/ && $4 != -4' "$D" | grep -q .; then
        fail "a call to a runtime routine has a stored value other than -4"
    fi
    expect_line "$D" '^abs 0x[0-9a-f]{8} __krIntType 0$' "runtime data cell is an absolute reference"
    expect_line "$D" '^symbol 0x[0-9a-f]{8} _a_function_with_a_rather_long_name$' \
        "long symbol name from the string table"
    expect_line "$D" '^symbol 0x[0-9a-f]{8} _long_section_value$' "symbol in a long-named section"
    if grep -Eq 'triple|add_one|calls|words|operations' "$D"; then
        fail "static names leak into the image"
    fi
    if ! awk '$1 == "symbol" && $3 ~ /^_[0-9]+$/' "$D" | grep -q .; then
        fail "no numbered symbols for section or static targets"
    fi
    # Every relocation names either a symbol of the image or an outside name.
    for name in $(awk '($1 == "rel" || $1 == "abs") { print $3 }' "$D" | sort -u); do
        case $name in
        _fprint | _fprintint | _fmillisecs | __krStrConcat | __krIntType) ;;
        *) symbol_offset "$D" "$name" >/dev/null || fail "relocation names undefined $name" ;;
        esac
    done
    [ "$(text_behind_pointer "$P.img" _greeting)" = "greeting from .data" ] ||
        fail "pointer in .data does not reach its string literal in .rdata"
    off=$(symbol_offset "$D" _start_value)
    [ "$(code_bytes "$P.img" "$off" 4)" = 07000000 ] || fail "initialised .data value not copied"
    off=$(symbol_offset "$D" _long_section_value)
    [ "$(code_bytes "$P.img" "$off" 4)" = 87d61200 ] || fail "long-named section contents not copied"
    off=$(symbol_offset "$D" _shared_total)
    size=$(awk '$1 == "code" { print $2 }' "$D")
    if [ -z "$off" ] || [ $((off % 4)) -ne 0 ] || [ $((off + 4)) -gt "$size" ]; then
        fail "COMMON symbol _shared_total not allocated inside the code block"
    fi
    for name in _start_value _greeting _long_section_value; do
        off=$(symbol_offset "$D" $name)
        [ -n "$off" ] && [ $((off % 4)) -eq 0 ] || fail "$name is not 4-byte aligned"
    done
fi

echo "== sections that do not belong in the image are dropped"
# Debug info carries SECREL relocations and unwind tables refer to .text;
# neither may end up in, or break, the image.
if compile "$CASES/program.c" "$WORK/debug.o" -g -fasynchronous-unwind-tables &&
    convert "$WORK/debug.o" "$WORK/debug.img"; then
    cmp -s <(grep -v '^code' "$WORK/debug.img.dump") <(grep -v '^code' "$P.img.dump") ||
        fail "debug info or unwind tables change the image's symbols or relocations"
fi

echo "== cdecl main, static function and static .bss array"
C=$WORK/cdecl
if compile "$CASES/cdecl_main.c" "$C.o" && convert "$C.o" "$C.img"; then
    expect_line "$C.img.dump" '^symbol 0x[0-9a-f]{8} __MAIN$' "cdecl _MAIN is exported as __MAIN"
    size=$(awk '$1 == "code" { print $2 }' "$C.img.dump")
    [ "$size" -ge $((5 + 64)) ] || fail "the 64-byte .bss array has no room in the code block"
    # The array's bytes (the target of the numbered data references) are zero.
    for target in $(awk '$1 == "abs" && $3 ~ /^_[0-9]+$/ { print $3 }' "$C.img.dump" | sort -u); do
        off=$(symbol_offset "$C.img.dump" "$target")
        [ "$(code_bytes "$C.img" "$off" 16)" = "$(printf '0%.0s' {1..32})" ] ||
            fail ".bss target $target is not zero-filled"
    done
fi

echo "== assembler-made names"
N=$WORK/names
if compile "$CASES/names.s" "$N.o" && convert "$N.o" "$N.img"; then
    D=$N.img.dump
    expect_line "$D" '^symbol 0x[0-9a-f]{8} _1$' "the object's own _1 is kept"
    [ "$(grep -c '^symbol 0x[0-9a-f]* _1$' "$D")" = 1 ] || fail "a numbered name collides with _1"
    expect_line "$D" '^symbol 0x[0-9a-f]{8} @fast$' "fastcall suffix is stripped"
    off=$(symbol_offset "$D" _aligned16)
    [ -n "$off" ] && [ $((off % 16)) -eq 0 ] || fail "16-byte section alignment not kept"
    # end_marker sits at the end of the laid-out sections; the code block must
    # still contain it, since the linker accepts only offsets below the size.
    target=$(awk '$1 == "abs" { print $3; exit }' "$D")
    off=$(symbol_offset "$D" "$target")
    size=$(awk '$1 == "code" { print $2 }' "$D")
    [ -n "$off" ] && [ "$off" -lt "$size" ] || fail "end label is not inside the code block"
fi

echo "== refused objects"
# expect_refusal OBJ MESSAGE-REGEX WHAT
expect_refusal() {
    local out=$WORK/refused.img rc
    rm -f "$out"
    "$VORNIMG" "$1" "$out" 2>"$WORK/err"
    rc=$?
    [ $rc -eq 1 ] || fail "$3: exit code $rc, expected 1"
    grep -Eq "$2" "$WORK/err" || fail "$3: message '$(cat "$WORK/err")' does not match '$2'"
    [ ! -e "$out" ] || fail "$3: an image was written"
}
compile "$CASES/no_main.c" "$WORK/no_main.o" &&
    expect_refusal "$WORK/no_main.o" '^vornimg: .*__MAIN' "object without __MAIN"
compile "$CASES/rva.s" "$WORK/rva.o" &&
    expect_refusal "$WORK/rva.o" 'unsupported type 7' "DIR32NB relocation"
expect_refusal "$WORK/does-not-exist.o" 'cannot open' "missing input"
printf '' >"$WORK/empty.o"
expect_refusal "$WORK/empty.o" 'too short' "empty file"
cp "$P.o" "$WORK/amd64.o"
printf '\x64\x86' | dd of="$WORK/amd64.o" conv=notrunc 2>/dev/null
expect_refusal "$WORK/amd64.o" 'not an i386 COFF object' "wrong machine"

echo "== undefined names are checked against the runtime's names"
M=$WORK/misspelled
if compile "$CASES/misspelled.c" "$M.o" && compile "$CASES/misspelled.c" "$M-libc.o" -DWITH_C_LIBRARY; then
    expect_refusal "$M.o" 'undefined symbol _fmilisecs.*did you mean _fmillisecs\?' "misspelled command"
    "$VORNIMG" --no-link-check "$M-libc.o" "$M.img" 2>"$WORK/err" || fail "--no-link-check refuses: $(cat "$WORK/err")"
    # The C library: strlen is no runtime name, and nothing is close to it.
    printf '# test list\n_fmilisecs\n' >"$WORK/list.symbols"
    "$VORNIMG" --symbols "$WORK/list.symbols" "$M-libc.o" "$WORK/refused.img" 2>"$WORK/err" &&
        fail "a C library call was accepted"
    grep -Eq 'undefined symbol _strlen: .*no C library\)$' "$WORK/err" ||
        fail "C library call: message '$(cat "$WORK/err")'"
    "$VORNIMG" --symbols "$WORK/list.symbols" "$M.o" "$M.img" 2>"$WORK/err" ||
        fail "a name from the --symbols list refused: $(cat "$WORK/err")"
fi

echo "== a program of two objects"
T=$WORK/two
if compile "$CASES/two_files_main.c" "$T-main.o" -fcommon && compile "$CASES/two_files_helper.c" "$T-helper.o" -fcommon; then
    if "$VORNIMG" --symbols "$WORK/runner.symbols" "$T-main.o" "$T-helper.o" "$T.img" 2>"$WORK/err" && "$VORNIMG" --dump "$T.img" >"$T.dump"; then
        for name in __MAIN _helper_twice _helper_table _tally; do
            [ "$(grep -c "^symbol 0x[0-9a-f]* $name\$" "$T.dump")" = 1 ] || fail "two objects: $name is not defined once"
        done
        # The call and the table read reach the other object's definitions.
        expect_line "$T.dump" '^rel 0x[0-9a-f]{8} _helper_twice -4$' "call into the other object"
        expect_line "$T.dump" '^abs 0x[0-9a-f]{8} _helper_table 8$' "data of the other object"
        off=$(symbol_offset "$T.dump" _helper_table)
        [ "$(code_bytes "$T.img" "$off" 12)" = 010000000200000015000000 ] || fail "the other object's data not copied"
    else
        fail "two objects: $(cat "$WORK/err")"
    fi
    "$VORNIMG" "$T-main.o" "$T-helper.o" "$T-helper.o" "$WORK/refused.img" 2>"$WORK/err" &&
        fail "an object given twice defines its names twice, but was accepted"
    grep -q 'both become' "$WORK/err" || fail "twice-defined names: message '$(cat "$WORK/err")'"
fi

echo "== damaged objects never crash the tool"
if [ -f "$P.o" ]; then
    size=$(stat -c %s "$P.o")
    for ((len = 0; len < size; len += 13)); do
        head -c $len "$P.o" >"$WORK/cut.o"
        "$VORNIMG" "$WORK/cut.o" "$WORK/cut.img" 2>/dev/null
        rc=$?
        [ $rc -eq 1 ] || { fail "object cut to $len bytes: exit code $rc, expected 1"; break; }
    done
    RANDOM=4711
    for ((i = 0; i < 300; i++)); do
        cp "$P.o" "$WORK/bad.o"
        for ((k = 0; k < 4; k++)); do
            # Aim mostly at the headers, where offsets and counts live.
            if ((RANDOM % 2)); then pos=$((RANDOM % 400)); else pos=$(((RANDOM * 32768 + RANDOM) % size)); fi
            printf "\\x$(printf %02x $((RANDOM % 256)))" |
                dd of="$WORK/bad.o" bs=1 seek=$pos conv=notrunc 2>/dev/null
        done
        "$VORNIMG" "$WORK/bad.o" "$WORK/bad.img" 2>/dev/null
        rc=$?
        if [ $rc -ne 0 ] && [ $rc -ne 1 ]; then
            cp "$WORK/bad.o" "${TMPDIR:-/tmp}/vornimg-crash.o"
            fail "damaged object made vornimg exit with $rc (kept as ${TMPDIR:-/tmp}/vornimg-crash.o)"
            break
        fi
        if [ $rc -eq 0 ] && ! "$VORNIMG" --dump "$WORK/bad.img" >/dev/null 2>&1; then
            fail "damaged object produced an image the linker would reject"
            break
        fi
    done
fi

echo "== dump checks images like the linker"
# image CODE-SIZE SYMBOL-OFFSET: 4 code bytes, one symbol 'x', no relocations.
image() {
    printf "\\x$(printf %02x "$1")\\x00\\x00\\x00\\x90\\x90\\x90\\xc3\\x01\\x00\\x00\\x00x\\x00"
    printf "\\x$(printf %02x "$2")\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00"
}
image 4 3 >"$WORK/last.img"
"$VORNIMG" --dump "$WORK/last.img" >"$WORK/last.dump" 2>&1 || fail "symbol at code size - 1 rejected"
expect_line "$WORK/last.dump" '^symbol 0x00000003 x$' "dump lists the symbol"
image 4 4 >"$WORK/past.img"
"$VORNIMG" --dump "$WORK/past.img" >/dev/null 2>&1 && fail "symbol at code size accepted"
printf '\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$WORK/nothing.img"
"$VORNIMG" --dump "$WORK/nothing.img" >/dev/null 2>&1 || fail "empty image rejected"
head -c 15 "$WORK/nothing.img" >"$WORK/short.img"
"$VORNIMG" --dump "$WORK/short.img" >/dev/null 2>&1 && fail "truncated image accepted"
cat "$WORK/nothing.img" "$WORK/nothing.img" >"$WORK/long.img"
"$VORNIMG" --dump "$WORK/long.img" >/dev/null 2>&1 && fail "trailing bytes accepted"

echo "== linked and run"
. "$HERE/../../scripts/win32-support.sh"
if ! win32_supported; then
    echo "SKIP: this machine cannot run 32-bit x86 programs"
elif command -v wine >/dev/null; then
    export WINEDEBUG=-all
    if "$CC" -O1 "$HERE/image_runner.c" -o "$WORK/image_runner.exe"; then
        for name in program cdecl two; do
            case $name in
            program) expected=$CASES/program.expected ;;
            two) expected=$CASES/two_files.expected ;;
            *) expected=$CASES/cdecl_main.expected ;;
            esac
            [ -f "$WORK/$name.img" ] || continue
            wine "$WORK/image_runner.exe" "$WORK/$name.img" 2>"$WORK/err" | tr -d '\r' >"$WORK/$name.out"
            diff -u "$expected" "$WORK/$name.out" || fail "$name: output differs when linked and run"
        done
    else
        fail "cannot build image_runner.exe"
    fi
else
    echo "SKIP: wine is not installed"
fi

if [ $failures -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "all vornimg tests passed"
