#!/bin/sh
# make bench: the classification's throughput beside memchr as the floor, and the
# peak memory of dorvalix-classify on a 1 GiB source that holds no line end.
set -e
ROOT=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
cd "$ROOT"
build/native/dorvalix-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

big=build/bench-1GiB-one-line.bas
if [ ! -f "$big" ]; then
    head -c 1073741824 /dev/zero | tr '\0' 'a' > "$big"
fi
echo
echo "dorvalix-classify on a 1 GiB source with no line end:"
/usr/bin/time -v build/native/dorvalix-classify "$big" 2>&1 |
    grep -E "console|windows|none|Maximum resident|Elapsed" | sed 's/^/  /'
echo "floor: /bin/cat of the same file"
/usr/bin/time -v cat "$big" 2>&1 >/dev/null | grep -E "Maximum resident|Elapsed" | sed 's/^/  /'
