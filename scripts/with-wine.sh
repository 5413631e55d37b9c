#!/bin/sh
# Runs a command inside a Wine session of the project's own: a virtual X display,
# the project's prefix (created on first use) and a wineserver kept running for the
# whole command, so that each Wine program starts in a fraction of a second.
# Everything started here is ended when the command ends, and nothing else: a
# wineserver or a display that was there before is left running.
set -e
. "$(dirname -- "$0")/wine-env.sh"

cleanup() {
    [ -n "$WINESERVER_STARTED" ] && WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && wait "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT INT TERM

if [ -z "$DORVALIX_DISPLAY_OWNED" ]; then
    start_display || exit 1
    export DORVALIX_DISPLAY_OWNED=1
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    echo "with-wine: creating the Wine prefix $WINEPREFIX" >&2
    timeout 300 "$WINE" wineboot -i >/dev/null 2>&1 || true
    # A virtual desktop gives windows their frames without a window manager and
    # spares the two-second wait that Wine makes on every window destroy without one.
    timeout 60 "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    timeout 60 "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    timeout 60 wineserver -w || true
fi

# A wineserver that already runs for the prefix (a Wine program is open there) is used
# as it is and left running at the end; wineserver -p exits with 2 for it.
status=0
wineserver -p || status=$?
case $status in
0) WINESERVER_STARTED=1 ;;
2) echo "with-wine: going on with the wineserver that runs for $WINEPREFIX; it is left running" >&2 ;;
*) echo "with-wine: wineserver -p failed with exit code $status" >&2; exit 1 ;;
esac
# Start Wine's own background programs (services, the desktop) now, detached from
# our output: started by a test, they would hold its output open until the end.
timeout 120 "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
"$@"
