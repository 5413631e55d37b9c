# Sourced by the Wine scripts: the project's own prefix under build/, never ~/.wine.
# WINE_ARCH (i686 or x86_64) picks the loader and the prefix.
ROOT=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
: "${WINE_ARCH:=$("$ROOT/scripts/wine-arch.sh")}"
if [ "$WINE_ARCH" = i686 ]; then
    WINE=/usr/lib/wine/wine
    WINEARCH=win32
else
    WINE=/usr/lib/wine/wine64
    WINEARCH=win64
fi
: "${WINEPREFIX:=$ROOT/build/wineprefix-$WINE_ARCH}"
WINEDEBUG=-all
# No offers to install Wine's .NET and HTML engines, which would wait for a click.
WINEDLLOVERRIDES="mscoree,mshtml="
# Wine turns a program's byte paths into Unix file names through the locale, so every
# session gets the same UTF-8 one, whatever the caller's environment had (C.UTF-8 is
# on every Debian).
LANG=C.UTF-8
LC_ALL=C.UTF-8
export WINE_ARCH WINE WINEARCH WINEPREFIX WINEDEBUG WINEDLLOVERRIDES LANG LC_ALL

# Starts Xvfb on a display it finds free itself (-displayfd: it writes the number once
# it accepts clients), exports DISPLAY and sets XVFB_PID. Picking the number here would
# race other sessions, and could not see a display taken in another chroot of the same
# machine, whose abstract socket Xvfb cannot share.
start_display() {
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    waited=0
    until [ -s "$display_file" ]; do
        if ! kill -0 "$XVFB_PID" 2>/dev/null || [ $waited -ge 600 ]; then
            rm -f "$display_file"
            echo "Xvfb did not start within 60 s" >&2
            return 1
        fi
        waited=$((waited + 1))
        sleep 0.1
    done
    DISPLAY=":$(cat "$display_file")"
    rm -f "$display_file"
    export DISPLAY
}
