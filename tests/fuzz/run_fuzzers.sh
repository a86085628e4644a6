#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build over its seed corpus, then for
# SECONDS more on new inputs. A crash, a sanitizer report, a hang or a runaway
# allocation fails; the input that found it is left under FUZZ_DIR/findings.
#   run_fuzzers.sh FUZZ_DIR SECONDS
dir="$1"; seconds="$2"
here="$(cd "$(dirname "$0")" && pwd)"
status=0
mkdir -p "$dir/findings" "$dir/corpus"
for target in "$dir"/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target"); name=${name#fuzz_}
    work="$dir/corpus/$name"
    mkdir -p "$work"
    echo "== fuzz $name ($seconds s)"
    "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=512 \
        -artifact_prefix="$dir/findings/$name-" -print_final_stats=1 "$work" "$here/corpus/$name" \
        >"$dir/$name.log" 2>&1 || { status=1; tail -40 "$dir/$name.log"; }
    grep -E "^stat::number_of_executed_units|^#[0-9]+ +DONE" "$dir/$name.log" | tail -2
done
exit $status
