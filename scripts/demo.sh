#!/bin/sh
# make demo: DORVALIX.EXE on the bundled samples, and with no file through dorvalix-driver
# (which prints the usage box and presses its OK), under Wine in a display and a prefix
# of its own. Stand-ins for the compilers are installed in that prefix under the seven
# version keys; each one started records how, so the demo shows which compiler
# DORVALIX started and with which command line.
set -e
ROOT=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
RUN_TREE=${RUN_TREE:-build/win32}
cd "$ROOT"
: "${WINE_ARCH:=$(scripts/wine-arch.sh)}"
export WINE_ARCH
# The demo's own prefix: its compiler keys never meet the tests'.
WINEPREFIX=${DEMO_WINEPREFIX:-$ROOT/build/wineprefix-demo-$WINE_ARCH}
export WINEPREFIX
if [ -z "$DORVALIX_DISPLAY_OWNED" ]; then
    exec scripts/with-wine.sh "$0" "$@"
fi
. scripts/wine-env.sh

if [ "$RUN_TREE" != build/win32 ]; then
    echo "demo: this machine's kernel cannot start 32-bit programs, so the demo runs the"
    echo "      same sources built for x86-64 ($RUN_TREE/DORVALIX.EXE); the product is"
    echo "      build/win32/DORVALIX.EXE ($(file -b build/win32/DORVALIX.EXE | cut -d, -f1))."
    echo "      The keys are written by the 64-bit reg, in the registry view that a"
    echo "      64-bit program reads (a 32-bit one would read them below Wow6432Node)."
fi

# A Windows path for a path of this machine (Wine's drive Z: is the root).
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

# version key, install folder below C:\ (one with spaces, as below Program Files), program
echo
echo "== stand-in compilers in $WINEPREFIX"
while read -r version folder program; do
    folder=$(printf '%s' "$folder" | tr '+' ' ')
    mkdir -p "$WINEPREFIX/drive_c/$folder"
    cp "$RUN_TREE/stand-in-compiler.exe" "$WINEPREFIX/drive_c/$folder/$program"
    exe=$(printf 'C:\\%s\\%s' "$folder" "$program" | tr / '\\')
    timeout 60 "$WINE" reg add "HKLM\\SOFTWARE\\PowerBASIC\\$version" /v Filename /d "$exe" /f >/dev/null
    printf '%-12s %s\n' "$version" "$exe"
done <<'TABLE'
PB/DLL\1.0  PBDLL10 PBDLL.EXE
PB/DLL\2.0  PBDLL20 PBDLL.EXE
PB/DLL\5.00 PBDLL50 PBDLL.EXE
PB/DLL\6.00 Program+Files/PowerBASIC/PB+DLL+6.00 PBDLL.EXE
PB/CC\1.0   PBCC10 PBCC.EXE
PB/CC\1.1   PBCC11 PBCC.EXE
PB/CC\2.00  Program+Files/PowerBASIC/PB+CC+2.00 PBCC.EXE
TABLE

LOG="$ROOT/build/demo-stand-in.log"
DORVALIX_STAND_IN_LOG=$(windows_path "$LOG")
DORVALIX_STAND_IN_MARK="started by DORVALIX in the demo"
export DORVALIX_STAND_IN_LOG DORVALIX_STAND_IN_MARK

for sample in examples/console.bas examples/windows.bas examples/undecided.inc; do
    echo
    echo "== $sample"
    build/native/dorvalix-classify "$sample"
    rm -f "$LOG"
    set +e
    "$WINE" "$RUN_TREE/DORVALIX.EXE" "$(windows_path "$ROOT/$sample")"
    code=$?
    set -e
    echo "DORVALIX.EXE ran on $sample and exited with code $code"
    [ "$code" -eq 0 ] || exit 1
    # DORVALIX does not wait for what it starts: give the stand-in a moment to record.
    i=0
    while [ ! -s "$LOG" ] && [ $i -lt 30 ]; do sleep 0.1; i=$((i + 1)); done
    if [ -s "$LOG" ]; then
        sed -n 's/^program=/started:      /p; s/^command=/command line: /p' "$LOG"
    else
        echo "started:      nothing (no family decided: the selection screen will offer the choice)"
    fi
done
rm -f "$LOG"

echo
echo "== no file: dorvalix-driver runs DORVALIX.EXE and reads the box it shows"
# The driver starts the command line as Windows gives it, so the path is a Windows one.
"$WINE" "$RUN_TREE/dorvalix-driver.exe" run "$(windows_path "$ROOT/$RUN_TREE/DORVALIX.EXE")" --expect-box Dorvalix
