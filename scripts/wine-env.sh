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
