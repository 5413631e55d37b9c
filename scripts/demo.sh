#!/bin/sh
# make demo: DORVALIX.EXE on the bundled samples as its user meets it, under Wine in a
# display and a prefix of its own. Stand-ins for the compilers are installed in that
# prefix under the seven version keys; each one started records how, so the demo shows
# which compiler DORVALIX started and with which command line. dorvalix-driver follows
# the windows; pictures of the notice and of the selection screen go to build/demo/,
# at 96 DPI and again at 144 DPI (a display scaled to 150 %).
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

# version key, install folder below C:\ (one with spaces, as below Program Files), program.
# PB/DLL 1.0 and PB/CC 1.0 are not installed: the selection screen shows them greyed.
echo
echo "== stand-in compilers in $WINEPREFIX"
timeout 60 "$WINE" reg delete 'HKLM\SOFTWARE\PowerBASIC' $REG_PROGRAM_VIEW /f >/dev/null 2>&1 || true
while read -r version folder program; do
    folder=$(printf '%s' "$folder" | tr '+' ' ')
    mkdir -p "$WINEPREFIX/drive_c/$folder"
    cp "$RUN_TREE/stand-in-compiler.exe" "$WINEPREFIX/drive_c/$folder/$program"
    exe=$(printf 'C:\\%s\\%s' "$folder" "$program" | tr / '\\')
    timeout 60 "$WINE" reg add "HKLM\\SOFTWARE\\PowerBASIC\\$version" /v Filename /d "$exe" $REG_PROGRAM_VIEW /f >/dev/null
    printf '%-12s %s\n' "$version" "$exe"
done <<'TABLE'
PB/DLL\2.0  PBDLL20 PBDLL.EXE
PB/DLL\5.00 PBDLL50 PBDLL.EXE
PB/DLL\6.00 Program+Files/PowerBASIC/PB+DLL+6.00 PBDLL.EXE
PB/CC\1.1   PBCC11 PBCC.EXE
PB/CC\2.00  Program+Files/PowerBASIC/PB+CC+2.00 PBCC.EXE
TABLE

LOG="$ROOT/build/demo-stand-in.log"
DORVALIX_STAND_IN_LOG=$(windows_path "$LOG")
DORVALIX_STAND_IN_MARK="started by DORVALIX in the demo"
export DORVALIX_STAND_IN_LOG DORVALIX_STAND_IN_MARK
SHOTS="$ROOT/build/demo"
mkdir -p "$SHOTS"
EXE=$(windows_path "$ROOT/$RUN_TREE/DORVALIX.EXE")
. "$RUN_TREE/generated/dorvalix_version.sh"  # the title, made from VERSION
NOTICE="\"$DORVALIX_TITLE\""
SCREEN="\"$DORVALIX_TITLE Make your own selection\""

# The display's DPI as Wine takes it, in the value that Windows' display settings write
# (Wine 8 reads it before HKLM's Hardware Profiles\Current\Software\Fonts\LogPixels).
# Each Wine program reads it as it starts; the prefix's own setting is put back at the
# end, also after a failure.
DPI_KEY='HKCU\Control Panel\Desktop'
set_dpi() {
    timeout 60 "$WINE" reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
}
PREFIX_DPI=$(timeout 60 "$WINE" reg query "$DPI_KEY" /v LogPixels 2>/dev/null | tr -d '\r' |
             sed -n 's/^ *LogPixels *REG_DWORD *//p')
restore_dpi() {
    if [ -n "$PREFIX_DPI" ]; then
        set_dpi "$(printf '%d' "$PREFIX_DPI")"
    else
        timeout 60 "$WINE" reg delete "$DPI_KEY" /v LogPixels /f >/dev/null 2>&1 || true
    fi
}
trap restore_dpi EXIT
set_dpi 96

# Runs dorvalix-driver on the steps given on stdin and prints what it reports. With a
# picture name, the steps hold one "sleep": while the driver sleeps there, the window it
# waited for is on the virtual desktop, and the desktop is photographed, cut to the
# window.
drive() {
    steps="$SHOTS/steps.txt"
    out="$SHOTS/driver.out"
    cat >"$steps"
    : >"$out"
    "$WINE" "$RUN_TREE/dorvalix-driver.exe" script "$(windows_path "$steps")" >"$out" 2>&1 &
    driver=$!
    if [ -n "$1" ]; then
        i=0
        until grep -q '^> sleep' "$out" || ! kill -0 "$driver" 2>/dev/null || [ $i -ge 300 ]; do
            sleep 0.1
            i=$((i + 1))
        done
        if grep -q '^> sleep' "$out"; then
            sleep 0.3
            import -display "$DISPLAY" -window root -trim +repage "$SHOTS/$1"
        fi
    fi
    code=0
    wait "$driver" || code=$?
    tr -d '\r' <"$out" | grep -v '^> ' || true
    if [ "$code" -ne 0 ]; then
        echo "demo: dorvalix-driver failed (exit code $code)" >&2
        exit 1
    fi
}

# What the stand-in recorded, or that nothing was started.
started() {
    i=0
    while [ ! -s "$LOG" ] && [ $i -lt 30 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    if [ -s "$LOG" ]; then
        sed -n 's/^program=/started:      /p; s/^command=/command line: /p' "$LOG"
    else
        echo "started:      nothing"
    fi
    rm -f "$LOG"
}

# The samples are opened from C:\Sources, as a user's own would be.
mkdir -p "$WINEPREFIX/drive_c/Sources"
cp examples/console.bas examples/windows.bas examples/undecided.inc "$WINEPREFIX/drive_c/Sources/"
sample() {
    echo
    echo "== $1"
    build/native/dorvalix-classify "$1"
    rm -f "$LOG"
}

# Before anything runs: what dorvalix-classify.exe, reading the registry DORVALIX reads,
# says DORVALIX finds and would start. It starts nothing.
echo
echo "== dorvalix-classify --compilers"
"$WINE" "$RUN_TREE/dorvalix-classify.exe" --compilers | tr -d '\r'
echo
printf '%s\n' '== dorvalix-classify --dry-run C:\Sources\console.bas'
"$WINE" "$RUN_TREE/dorvalix-classify.exe" --dry-run 'C:\Sources\console.bas' | tr -d '\r'

# A console source: the notice counts its three seconds down and starts the newest
# PB/CC. The argument names the picture.
console_notice() {
    drive "$1" <<EOF
timeout 15000
start $EXE C:\Sources\console.bas
wait-window $NOTICE
sleep 800
wait-gone $NOTICE
wait-exit 0
EOF
    started
}

# No decision: the notice says so and gives way to the selection screen, where
# "PB/CC 2.00" is pressed. The argument names the picture.
undecided_selection() {
    drive "$1" <<EOF
timeout 15000
start $EXE C:\Sources\undecided.inc
wait-window $SCREEN
sleep 500
press $SCREEN 213
wait-gone $SCREEN
wait-exit 0
EOF
    started
}

sample examples/console.bas
console_notice notice.png

# A Windows source: the newest PB/DLL, at once by "Go now!".
sample examples/windows.bas
drive <<EOF
timeout 15000
start $EXE C:\Sources\windows.bas
wait-window $NOTICE
press $NOTICE 203
wait-exit 0
EOF
started

sample examples/undecided.inc
undecided_selection selection-screen.png

# The same two screens on a display scaled to 150 %: the dialogs, laid out in dialog
# units, grow with their font. (Windows would stretch a program that is not DPI aware
# as a bitmap; DORVALIX's manifest says it is. Wine gives every program the display's
# DPI.)
echo
echo "== the notice and the selection screen at 144 DPI"
set_dpi 144
console_notice notice-144dpi.png
undecided_selection selection-screen-144dpi.png
set_dpi 96
rm -f "$SHOTS/steps.txt" "$SHOTS/driver.out"

echo
echo "== no file: dorvalix-driver runs DORVALIX.EXE and reads the box it shows"
# The driver starts the command line as Windows gives it, so the path is a Windows one.
"$WINE" "$RUN_TREE/dorvalix-driver.exe" run "$EXE" --expect-box Dorvalix

echo
echo "== screenshots"
for shot in notice.png selection-screen.png notice-144dpi.png selection-screen-144dpi.png; do
    if [ -s "$SHOTS/$shot" ]; then
        echo "$SHOTS/$shot ($(identify -format '%wx%h' "$SHOTS/$shot"))"
    else
        echo "demo: no screenshot $SHOTS/$shot" >&2
        exit 1
    fi
done
