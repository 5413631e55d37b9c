#!/bin/sh
# make demo: DORVALIX.EXE on the bundled samples, then with no file through
# dorvalix-driver, which prints the usage box and presses its OK; all under Wine in a
# display of its own.
set -e
ROOT=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
RUN_TREE=${RUN_TREE:-build/win32}
cd "$ROOT"

if [ "$RUN_TREE" != build/win32 ]; then
    echo "demo: this machine's kernel cannot start 32-bit programs, so the demo runs the"
    echo "      same sources built for x86-64 ($RUN_TREE/DORVALIX.EXE); the product is"
    echo "      build/win32/DORVALIX.EXE ($(file -b build/win32/DORVALIX.EXE | cut -d, -f1))."
fi

for sample in examples/console.bas examples/windows.bas examples/undecided.inc; do
    echo
    echo "== $sample"
    build/native/dorvalix-classify "$sample"
    set +e
    scripts/with-wine.sh sh -c '. scripts/wine-env.sh; exec "$WINE" "$0" "$1"' \
        "$RUN_TREE/DORVALIX.EXE" "$sample"
    code=$?
    set -e
    echo "DORVALIX.EXE ran on $sample and exited with code $code"
    [ "$code" -eq 0 ] || exit 1
done

echo
echo "== no file: dorvalix-driver runs DORVALIX.EXE and reads the box it shows"
# The driver starts the command line as Windows gives it, so the path is a Windows one.
exe=$(printf '%s/DORVALIX.EXE' "$RUN_TREE" | tr / '\\')
scripts/with-wine.sh sh -c '. scripts/wine-env.sh; exec "$WINE" "$0" run "$1" --expect-box Dorvalix' \
    "$RUN_TREE/dorvalix-driver.exe" "$exe"
