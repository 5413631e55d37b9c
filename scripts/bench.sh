#!/bin/sh
# make bench: the classification's throughput beside the reference scanner and
# memchr as the floor (a typical source, and two 256 MiB sources that are one line:
# a few repeated bytes, and real program text), the time and peak memory of
# dorvalix-classify on a 2 GiB source that holds no line end, and, under Wine,
# DORVALIX.EXE's start-up time to a visible notice beside an empty dialog, and on a
# 256 MiB one-line source beside a small one. BENCH_BASELINE=<a build tree> also times
# that tree's DORVALIX.EXE beside the empty dialog, in the same run, for a before and
# after.
set -e
ROOT=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
cd "$ROOT"
build/native/dorvalix-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# 2 GiB of NUL bytes, sparse (no disk blocks): one line that never ends, so every
# byte is scanned. Removed again afterwards, also when the run is interrupted.
big=build/bench-2GiB-one-line.bas
long=build/bench-256MiB-one-line.bas
trap 'rm -f "$big" "$long" "$long.part"' EXIT
trap 'exit 130' INT TERM
rm -f "$big" build/bench-1GiB-one-line.bas  # the latter: left by earlier versions
truncate -s 2G "$big"
echo
echo "dorvalix-classify on a 2 GiB source with no line end:"
/usr/bin/time -v build/native/dorvalix-classify "$big" 2>&1 |
    grep -E "one-line.bas:|User time|Maximum resident|Elapsed" | sed 's/^/  /'
echo "floor: /bin/cat of the same file"
/usr/bin/time -v cat "$big" 2>&1 >/dev/null | grep -E "Maximum resident|Elapsed" | sed 's/^/  /'

# Start-up: from process start until the notice is visible (examples/console.bas is
# decided, so the notice shows), ended with its "&Cancel" (201); the floor is a program
# built the same way, with the same manifest, that shows one dialog with one button,
# ended by its close command (which its dialog procedure gets as IDCANCEL). Beside it,
# each in the same run: DORVALIX without the Common Controls 6 dependency beside the
# floor without it (what today's look costs), and the baseline's DORVALIX.EXE where
# BENCH_BASELINE names one.
RUN_TREE=${RUN_TREE:-build/win64}
ROUNDS=${BENCH_ROUNDS:-15}
windows_path() { printf 'Z:%s' "$ROOT/$1" | tr / '\\'; }  # Wine's Z: is the Unix root
. "$RUN_TREE/generated/dorvalix_version.sh"  # the notice's title, made from VERSION
beside_empty_dialog() {  # the program's Windows path; the floor, empty-dialog unless named
    scripts/with-wine.sh scripts/wine-exec.sh "$RUN_TREE/startup-bench.exe" "$ROUNDS" \
        "$DORVALIX_TITLE" 201 "$1 $(windows_path examples/console.bas)" \
        "Empty dialog" close "$(windows_path "$RUN_TREE/${2:-empty-dialog}.exe")" | tr -d '\r' | sed 's/^/  /'
}
echo
echo "start-up to a visible window under Wine ($RUN_TREE, $ROUNDS starts each):"
beside_empty_dialog "$(windows_path "$RUN_TREE/DORVALIX.EXE")"
echo "the same without the Common Controls 6 dependency ($RUN_TREE/dorvalix-classic-controls.exe)," \
    "beside the floor without it (empty-dialog-classic-controls.exe):"
beside_empty_dialog "$(windows_path "$RUN_TREE/dorvalix-classic-controls.exe")" empty-dialog-classic-controls
if [ -n "$BENCH_BASELINE" ]; then
    base=$(CDPATH= cd -- "$BENCH_BASELINE" && pwd)
    echo "the baseline $base/DORVALIX.EXE:"
    beside_empty_dialog "Z:$(printf '%s' "$base/DORVALIX.EXE" | tr / '\\')"
fi

# The same start on a 256 MiB source that is one line of program text (the samples,
# their line ends made blanks, repeated): every byte is read before the notice shows.
cat examples/console.bas examples/undecided.inc examples/windows.bas | tr '\r\n\032' '   ' >"$long"
while [ "$(wc -c <"$long")" -lt 268435456 ]; do
    cat "$long" "$long" >"$long.part" && mv "$long.part" "$long"
done
truncate -s 256M "$long"
LONG_ROUNDS=${BENCH_LONG_ROUNDS:-5}
echo
echo "start-up on a 256 MiB one-line source beside examples/console.bas ($RUN_TREE, $LONG_ROUNDS starts each):"
scripts/with-wine.sh scripts/wine-exec.sh "$RUN_TREE/startup-bench.exe" "$LONG_ROUNDS" \
    "$DORVALIX_TITLE" 201 "$(windows_path "$RUN_TREE/DORVALIX.EXE") $(windows_path "$long")" \
    "$DORVALIX_TITLE" 201 "$(windows_path "$RUN_TREE/DORVALIX.EXE") $(windows_path examples/console.bas)" |
    tr -d '\r' | sed 's/^/  /'
