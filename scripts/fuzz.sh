#!/bin/sh
# Runs every fuzz target (or those named in FUZZ_TARGETS) for FUZZ_SECONDS each
# (default 60) from the seed corpus kept in tests/fuzz/corpus/<target> and the bundled
# samples. New inputs that reach new code go to build/fuzz/corpus/<target>; a finding
# stops the run with the crashing input.
#   FUZZ_SECONDS=600 FUZZ_TARGETS=scanner_fuzz scripts/fuzz.sh
set -e
ROOT=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
cd "$ROOT"
SECONDS_EACH=${FUZZ_SECONDS:-60}
TARGETS=${FUZZ_TARGETS:-scanner_fuzz startup_texts_fuzz registration_text_fuzz}
for target in $TARGETS; do
    work=build/fuzz/corpus/$target
    mkdir -p "$work" build/fuzz/findings
    echo "== $target for ${SECONDS_EACH}s"
    log=build/fuzz/$target.log
    status=0
    build/fuzz/$target -max_total_time="$SECONDS_EACH" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix=build/fuzz/findings/$target- -print_final_stats=1 \
        "$work" tests/fuzz/corpus/$target examples >"$log" 2>&1 || status=$?
    grep -E "DONE|stat::number_of_executed_units" "$log" | sed 's/^/  /'
    if [ $status -ne 0 ]; then
        grep -E "ERROR|SUMMARY|Test unit written|abort" "$log" | head -20
        echo "fuzz: $target found a fault (log: $log)"
        exit 1
    fi
done
