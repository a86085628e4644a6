#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build over its seed corpus, then on new
# inputs until RUNS inputs ran or SECONDS passed, whichever comes first. A
# crash, a sanitizer report, a hang or a runaway allocation fails; the input
# that found it is left under FUZZ_DIR/findings. Prints each target's
# executions and coverage. FUZZ_SEED fixes the random seed (CI's short runs,
# so that what one found can be run again); unset, each run draws its own.
#   run_fuzzers.sh FUZZ_DIR SECONDS [RUNS] [TARGET...]
dir="$1"; seconds="$2"; runs="${3:--1}"; shift 3 2>/dev/null || shift $#
here="$(cd "$(dirname "$0")" && pwd)"
status=0
mkdir -p "$dir/findings" "$dir/corpus"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || for t in "$dir"/fuzz_*; do [ -x "$t" ] && targets+=("$(basename "$t" | sed 's/^fuzz_//')"); done
for name in "${targets[@]}"; do
    work="$dir/corpus/$name"
    mkdir -p "$work"
    echo "== fuzz $name (${seconds} s at most)"
    "$dir/fuzz_$name" -max_total_time="$seconds" -runs="$runs" -seed="${FUZZ_SEED:-0}" -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=512 \
        -artifact_prefix="$dir/findings/$name-" -print_final_stats=1 "$work" "$here/corpus/$name" \
        >"$dir/$name.log" 2>&1 || { status=1; tail -40 "$dir/$name.log"; }
    grep -aE "^#[0-9]+[[:space:]]+(DONE|INITED)" "$dir/$name.log" | tail -1
    grep -aE "^stat::(number_of_executed_units|average_exec_per_sec)" "$dir/$name.log" | tr '\n' ' '; echo
done
exit $status
