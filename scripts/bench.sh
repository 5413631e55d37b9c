#!/bin/sh
# make bench: the classification's throughput beside memchr as the floor, and the
# peak memory of dorvalix-classify on a 2 GiB source that holds no line end.
set -e
ROOT=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
cd "$ROOT"
build/native/dorvalix-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# 2 GiB of NUL bytes, sparse (no disk blocks): one line that never ends, so every
# byte is scanned. Removed again afterwards, also when the run is interrupted.
big=build/bench-2GiB-one-line.bas
trap 'rm -f "$big"' EXIT
trap 'exit 130' INT TERM
rm -f "$big" build/bench-1GiB-one-line.bas  # the latter: left by earlier versions
truncate -s 2G "$big"
echo
echo "dorvalix-classify on a 2 GiB source with no line end:"
/usr/bin/time -v build/native/dorvalix-classify "$big" 2>&1 |
    grep -E "one-line.bas:|User time|Maximum resident|Elapsed" | sed 's/^/  /'
echo "floor: /bin/cat of the same file"
/usr/bin/time -v cat "$big" 2>&1 >/dev/null | grep -E "Maximum resident|Elapsed" | sed 's/^/  /'
