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
scripts/with-wine.sh sh -c '
    "$WINE" "$0" run "C:\\DORVALIX\\DORVALIX.EXE" --expect-box Dorvalix >/dev/null
    for key in .bas .inc "Dorvalix\\shell\\open\\command"; do
        value=$(timeout 60 "$WINE" reg query "HKCR\\$key" /ve 2>/dev/null | tr -d "\r" |
                sed -n "s/^ *(Default) *REG_SZ *//p")
        printf "HKEY_CLASSES_ROOT\\%s = %s\n" "$key" "$value"
    done' "$RUN_TREE/dorvalix-driver.exe"
echo "install-wine: .bas and .inc files in $PREFIX now open through DORVALIX"
