#!/bin/sh
# Installs the Debian 12 packages that the named sets need, idempotently, and says
# nothing when they are all there. Run as root (or through sudo).
#
#   install-deps.sh SET...    native   compiler, CMake, GoogleTest, Google Benchmark
#                             fuzz     clang and its libFuzzer runtime
#                             windows  the MinGW-w64 cross-compilers and zip
#                             wine     Wine, Xvfb and the screenshot and timing tools;
#                                      also Wine's 32-bit part where this kernel can
#                                      start 32-bit programs and the packages can be had
#                             dist     the installer package's builder (wixl, msibuild)
#                                      and reader (msiinfo), faketime for its times,
#                                      the signing tool and OpenSSL
#                             icon     the SVG renderer and ImageMagick, for make icon only
#
# A package mirror in the middle of a sync may fail to serve some lists: that is said
# in one line and the install goes on with the lists that came. The required packages
# are installed in one step; failing that, it stops with the missing names and apt's
# own error. Wine's 32-bit part comes in a step of its own, and where it cannot be
# had the tests take the x86-64 way (scripts/wine-arch.sh) instead.
set -e
cd "$(dirname -- "$0")/.."

PACKAGES_native="cmake g++ make pkg-config googletest libgtest-dev libbenchmark-dev"
PACKAGES_fuzz="clang libclang-rt-14-dev"
PACKAGES_windows="g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 zip unzip"
PACKAGES_wine="wine wine64 xvfb xauth x11-utils x11-apps imagemagick time"
PACKAGES_dist="wixl msitools faketime osslsigncode openssl"
PACKAGES_icon="librsvg2-bin imagemagick"
WINE32=wine32:i386
# Left when Wine's 32-bit part could not be installed, so that later runs in this
# tree do not ask the mirror again; `make clean` forgets it.
WINE32_REFUSED=build/.wine32-unavailable

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

say() { echo "install-deps: $*"; }

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing_of() {
    for p in "$@"; do installed "$p" || printf ' %s' "$p"; done
}

# True when this kernel starts a 32-bit x86 program: a 91-byte ELF that only calls
# exit(0), written out here so that no 32-bit package is needed to find out.
kernel_runs_i386() {
    probe=$(mktemp) || return 1
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\133\000\000\000\133\000\000\000\005\000\000\000\000\020\000\000\061\333\061\300\100\315\200' >"$probe"
    chmod +x "$probe"
    ok=0
    "$probe" 2>/dev/null || ok=$?
    rm -f "$probe"
    [ "$ok" -eq 0 ]
}

# apt-get update, tried three times; lists that still fail are named in one line and
# the install goes on with the others.
update_lists() {
    log=$(mktemp)
    for try in 1 2 3; do
        if $SUDO apt-get update -qq >"$log" 2>&1 && ! grep -q '^[EW]: Failed to fetch' "$log"; then
            rm -f "$log"; return 0
        fi
        [ "$try" -lt 3 ] && sleep 5
    done
    failed=$(sed -n 's/^[EW]: Failed to fetch \([^ ]*\).*/\1/p' "$log" | tr '\n' ' ' | sed 's/ $//')
    if [ -n "$failed" ]; then
        say "these package lists could not be fetched, going on without them: $failed"
    else
        say "apt-get update failed, going on with the lists there are: $(grep '^E:' "$log" | head -n 1)"
    fi
    rm -f "$log"
}

# apt-get install of the given packages; on failure prints apt's first error line.
install_packages() {
    log=$(mktemp)
    if $SUDO apt-get install -y -qq --no-install-recommends "$@" >"$log" 2>&1; then
        rm -f "$log"; return 0
    fi
    apt_error=$(grep '^E:' "$log" | head -n 1)
    [ -n "$apt_error" ] || apt_error=$(tail -n 1 "$log")
    rm -f "$log"
    return 1
}

install_wine32() {
    # WINE_ARCH=x86_64 asks for the x86-64 way: nothing 32-bit is needed then.
    [ "$WINE_ARCH" = x86_64 ] && return 0
    installed "$WINE32" && return 0
    [ -e "$WINE32_REFUSED" ] && return 0
    if ! kernel_runs_i386; then
        say "this kernel cannot start 32-bit programs: $WINE32 is left out, the tests take the x86-64 way"
        return 0
    fi
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    say "installing $WINE32"
    update_lists
    if ! install_packages "$WINE32"; then
        say "$WINE32 could not be installed ($apt_error): the tests take the x86-64 way"
        mkdir -p build && : >"$WINE32_REFUSED"
    fi
}

[ $# -gt 0 ] || set -- native fuzz windows dist wine
wanted=""
for set in "$@"; do
    case $set in
        native|fuzz|windows|dist|wine|icon) eval "wanted=\"\$wanted \$PACKAGES_$set\"" ;;
        *) echo "install-deps: unknown set '$set' (native, fuzz, windows, dist, wine, icon)" >&2; exit 64 ;;
    esac
done

# shellcheck disable=SC2086
missing=$(missing_of $wanted)
if [ -n "$missing" ]; then
    say "installing$missing"
    update_lists
    # shellcheck disable=SC2086
    if ! install_packages $missing; then
        # shellcheck disable=SC2086
        say "cannot install the required packages:$(missing_of $missing) ($apt_error)"
        exit 1
    fi
fi

case " $* " in *" wine "*) install_wine32 ;; esac
exit 0
