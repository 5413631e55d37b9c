#!/bin/sh
# Prints the Windows architecture that Wine can run on this machine: i686 when the
# 32-bit Wine loader starts (the product's own architecture), x86_64 otherwise
# (a kernel without 32-bit support can still run the same sources built for x86-64).
# The answer is kept in build/wine-arch until the machine's packages change, since a
# loader that cannot start may take seconds to say so.
cd "$(dirname -- "$0")/.."
answer=build/wine-arch
if [ -s "$answer" ] && [ "$answer" -nt /var/lib/dpkg/status ]; then
    cat "$answer"
    exit 0
fi
if [ -x /usr/lib/wine/wine ] && timeout 20 /usr/lib/wine/wine --version >/dev/null 2>&1; then
    arch=i686
else
    arch=x86_64
fi
mkdir -p build 2>/dev/null && echo "$arch" >"$answer" 2>/dev/null
echo "$arch"
