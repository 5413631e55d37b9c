#!/bin/sh
# Installs what building and testing DORVALIX needs on Debian 12, idempotently.
# Quiet when everything is already there; run as root (or through sudo).
set -e

NEEDED="cmake g++ make pkg-config googletest libgtest-dev libbenchmark-dev \
g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 \
wine wine64 xvfb xauth x11-utils x11-apps imagemagick time clang libclang-rt-14-dev zip unzip"
NEEDED_I386="wine32:i386"

missing=""
for p in $NEEDED; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    missing="$missing $NEEDED_I386"
else
    for p in $NEEDED_I386; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
fi
[ -z "$missing" ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "install-deps: installing$missing"
$SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
