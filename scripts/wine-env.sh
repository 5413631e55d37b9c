# Sourced by the Wine scripts: the project's own prefix under build/, never ~/.wine.
# WINE_ARCH (wow64, i686 or x86_64: scripts/wine-arch.sh) picks the loader and the
# prefix.
ROOT=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
: "${WINE_ARCH:=$("$ROOT/scripts/wine-arch.sh")}"
case $WINE_ARCH in
i686)
    WINE=/usr/lib/wine/wine
    WINEARCH=win32 ;;
*)  # wow64: the 64-bit loader hands a 32-bit program to the 32-bit one itself
    WINE=/usr/lib/wine/wine64
    WINEARCH=win64 ;;
esac
: "${WINEPREFIX:=$ROOT/build/wineprefix-$WINE_ARCH}"
# The registry as the program under test sees it, for a script that plants or reads
# its keys: REG_PROGRAM_VIEW, the reg flag of the program's own view of
# HKEY_LOCAL_MACHINE\Software, where a 32-bit compiler's installer writes its keys for
# the 32-bit program; PROGRAM_SOFTWARE, that view's key as the prefix's system.reg
# writes it; REG_SHELL_VIEW, the flag of the view the 64-bit shell reads, where
# Default apps' entries live. In a 32-bit prefix there is one view and no flag.
case $WINE_ARCH in
wow64)  REG_PROGRAM_VIEW=/reg:32 PROGRAM_SOFTWARE='Software\Wow6432Node' REG_SHELL_VIEW=/reg:64 ;;
x86_64) REG_PROGRAM_VIEW=/reg:64 PROGRAM_SOFTWARE=Software REG_SHELL_VIEW=/reg:64 ;;
*)      REG_PROGRAM_VIEW= PROGRAM_SOFTWARE=Software REG_SHELL_VIEW= ;;
esac
WINEDEBUG=-all
# No offers to install Wine's .NET and HTML engines, which would wait for a click.
WINEDLLOVERRIDES="mscoree,mshtml="
# Wine turns a program's byte paths into Unix file names through the locale, so every
# session gets the same UTF-8 one, whatever the caller's environment had (C.UTF-8 is
# on every Debian).
LANG=C.UTF-8
LC_ALL=C.UTF-8
export WINE_ARCH WINE WINEARCH WINEPREFIX WINEDEBUG WINEDLLOVERRIDES LANG LC_ALL REG_PROGRAM_VIEW PROGRAM_SOFTWARE REG_SHELL_VIEW

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
