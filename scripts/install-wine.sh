#!/bin/sh
# make install-wine PREFIX=<wine prefix>: copies DORVALIX.EXE into C:\DORVALIX of an
# existing Wine prefix and runs it there once, with no file, so that it registers
# itself as the handler of .bas and .inc in that prefix. Its usage box is answered
# by dorvalix-driver. Prints the registration it left behind.
set -e
ROOT=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
RUN_TREE=${RUN_TREE:-build/win32}
cd "$ROOT"
if [ -z "$PREFIX" ] || [ ! -f "$PREFIX/system.reg" ]; then
    echo "install-wine: PREFIX must name an existing Wine prefix (make install-wine PREFIX=~/.wine)" >&2
    exit 64
fi
PREFIX=$(CDPATH= cd -- "$PREFIX" && pwd)
mkdir -p "$PREFIX/drive_c/DORVALIX"
cp "$RUN_TREE/DORVALIX.EXE" "$PREFIX/drive_c/DORVALIX/DORVALIX.EXE"
echo "install-wine: copied $RUN_TREE/DORVALIX.EXE to $PREFIX/drive_c/DORVALIX/DORVALIX.EXE"

WINEPREFIX=$PREFIX
export WINEPREFIX
# The driver runs in a desktop of its own, on this session's display: a Wine program
# already open in the prefix may show the prefix's desktop on another display, where
# this session's windows could not be made. explorer gives back no exit code of the
# program it starts, so the driver's own report says how the run ended.
DRIVER="Z:$(printf '%s' "$ROOT/$RUN_TREE/dorvalix-driver.exe" | tr / '\\')"
scripts/with-wine.sh sh -c '
    report=$(timeout 120 "$WINE" explorer /desktop=DorvalixInstall,640x480 "$0" run \
             "C:\\DORVALIX\\DORVALIX.EXE" --expect-box Dorvalix 2>&1 | tr -d "\r")
    case $report in
    *"box title: Dorvalix"*"exit code: 0") ;;
    *) printf "%s\n" "$report" >&2
       echo "install-wine: DORVALIX.EXE did not run to its end in $WINEPREFIX" >&2
       exit 1 ;;
    esac
    for key in .bas .inc "Dorvalix\\shell\\open\\command"; do
        value=$(timeout 60 "$WINE" reg query "HKCR\\$key" /ve 2>/dev/null | tr -d "\r" |
                sed -n "s/^ *(Default) *REG_SZ *//p")
        printf "HKEY_CLASSES_ROOT\\%s = %s\n" "$key" "$value"
    done' "$DRIVER"
echo "install-wine: .bas and .inc files in $PREFIX now open through DORVALIX"
