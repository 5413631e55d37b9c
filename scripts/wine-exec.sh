#!/bin/sh
# Runs one Windows program under Wine and passes its exit code through.
# CTest uses it as the emulator of the Windows test tree; outside a Wine session
# (no display of ours) it opens one around the program.
if [ -z "$DORVALIX_DISPLAY_OWNED" ]; then
    exec "$(dirname -- "$0")/with-wine.sh" "$0" "$@"
fi
. "$(dirname -- "$0")/wine-env.sh"
exec "$WINE" "$@"
