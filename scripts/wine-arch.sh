#!/bin/sh
# Prints the Windows architecture that Wine can run on this machine: i686 when the
# 32-bit Wine loader starts (the product's own architecture), x86_64 otherwise
# (a kernel without 32-bit support can still run the same sources built for x86-64).
if [ -x /usr/lib/wine/wine ] && timeout 20 /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo i686
else
    echo x86_64
fi
