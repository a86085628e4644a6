#!/usr/bin/env bash
# The SDK's generated files (sdk/vorn.h, sdk/vorn.symbols, docs/commands.md)
# are what the build host's vornsdk makes from the registrations in the
# sources and docs/command_descriptions.txt; and the description check stops
# a registered command that has no description, naming it and the file.
#   sdk_reference.sh BIN_DIR SOURCE_LIST
bin="$1"
sources="$2"
root="$(cd "$(dirname "$0")/../.." && pwd)"
descriptions="$root/docs/command_descriptions.txt"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
sdk() { "$bin/vornsdk" "$@"; }

# The checked-in files are current.
for pair in ":sdk/vorn.h" "--symbols:sdk/vorn.symbols" "--reference:docs/commands.md"; do
    option="${pair%%:*}" file="${pair#*:}"
    sdk --sources "$sources" --descriptions "$descriptions" $option > "$work/generated" || fail "vornsdk $option"
    if ! diff -u "$root/$file" "$work/generated" > "$work/diff"; then
        head -20 "$work/diff"
        fail "$file is stale: run 'make sdk'"
    fi
done
sdk --sources "$sources" --descriptions "$descriptions" --check || fail "a registered command lacks a description"

# A new command without a description fails the check with the name, the
# file and what to write there. Registrations in comments and macro bodies
# register nothing.
cat > "$work/new_command.cpp" <<'SRC'
// KR_COMMAND(Runtime, "%CommentedOut", CommentedOut);
#define REGISTER_LATER(h) \
    KR_COMMAND(Runtime, "%InMacroBody", h)
/* KR_COMMAND(Runtime, "%InBlockComment", x); */
KR_COMMAND(Runtime, "%FrobnicateWidget%widget%times=2", FrobnicateWidget);
SRC
{ cat "$sources"; echo "$work/new_command.cpp"; } > "$work/sources"
if sdk --sources "$work/sources" --descriptions "$descriptions" --check 2> "$work/err"; then
    fail "the check passed a command without a description"
fi
grep -q 'the command FrobnicateWidget ("%FrobnicateWidget%widget%times=2") is registered but has no description: add one to .*command_descriptions.txt' "$work/err" ||
    fail "the check's message does not name the command and the file: $(cat "$work/err")"
[ "$(wc -l < "$work/err")" -eq 1 ] || fail "the check reported more than the one command: $(cat "$work/err")"

# Described, it passes, and the description reaches the header and the reference.
cp "$descriptions" "$work/descriptions.txt"
printf 'FrobnicateWidget\n  Frobnicates the widget times times.\n  Errors: "Invalid Widget handle"\n' >> "$work/descriptions.txt"
sdk --sources "$work/sources" --descriptions "$work/descriptions.txt" --check || fail "the check refused a described command"
sdk --sources "$work/sources" --descriptions "$work/descriptions.txt" > "$work/vorn.h"
grep -B3 -F 'int VORN_API ffrobnicatewidget(int widget, int times); /* defaults: times=2 */' "$work/vorn.h" |
    grep -q 'FrobnicateWidget: Frobnicates the widget times times.' || fail "the header lacks the description"
sdk --sources "$work/sources" --descriptions "$work/descriptions.txt" --reference > "$work/commands.md"
grep -A3 '^### FrobnicateWidget$' "$work/commands.md" | grep -qF '`FrobnicateWidget%(widget%, times% = 2)`' ||
    fail "the reference lacks the command's signature"
grep -qF 'Runtime errors: "Invalid Widget handle"' "$work/commands.md" || fail "the reference lacks the errors"

# A description of a name the runtime does not have, and one without text, fail.
printf 'FrobnicateWidgets\n  A misspelt name.\nEmptyEntry\n' >> "$work/descriptions.txt"
sdk --sources "$work/sources" --descriptions "$work/descriptions.txt" --check 2> "$work/err" &&
    fail "the check passed descriptions of unknown names"
grep -q 'FrobnicateWidgets is described but the runtime has no such name' "$work/err" || fail "no word of the misspelt name"
grep -q 'EmptyEntry has no description text' "$work/err" || fail "no word of the empty entry"

[ $failed -eq 0 ] && echo "sdk reference: all checks passed"
exit $failed
