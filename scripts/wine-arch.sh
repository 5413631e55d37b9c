#!/bin/sh
# Prints how the Windows tests run on this machine, by the Wine loaders that start here:
#   wow64   both the 32-bit and the 64-bit loader: the product (i686) in a 64-bit
#           prefix, as 64-bit Windows runs it, with the registry redirected for it
#   i686    the 32-bit loader alone: the product in a 32-bit prefix
#   x86_64  the 64-bit loader alone (a kernel without 32-bit support): the same sources
#           built for x86-64, in a 64-bit prefix
# WINE_ARCH=i686 or WINE_ARCH=x86_64 given by the user asks for one of the last two
# where more would run. The answer is kept in build/wine-arch until the machine's
# packages (or this script) change, since a loader that cannot start may take seconds
# to say so.
cd "$(dirname -- "$0")/.."
answer=build/wine-arch
if [ -s "$answer" ] && [ "$answer" -nt /var/lib/dpkg/status ] && [ "$answer" -nt scripts/wine-arch.sh ]; then
    cat "$answer"
    exit 0
fi
starts() { [ -x "/usr/lib/wine/$1" ] && timeout 20 "/usr/lib/wine/$1" --version >/dev/null 2>&1; }
if starts wine && starts wine64; then
    arch=wow64
elif starts wine; then
    arch=i686
else
    arch=x86_64
fi
mkdir -p build 2>/dev/null && echo "$arch" >"$answer" 2>/dev/null
echo "$arch"
