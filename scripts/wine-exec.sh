#!/bin/sh
# Runs one Windows program under Wine and passes its exit code through.
# CTest uses it as the emulator of the Windows test tree; outside a Wine session
# (no display of ours) it opens one around the program.
if [ -z "$DORVALIX_DISPLAY_OWNED" ]; then
    exec "$(dirname -- "$0")/with-wine.sh" "$0" "$@"
fi
. "$(dirname -- "$0")/wine-env.sh"
# The program's output goes through a file: a program that Wine starts on its behalf
# (the desktop, when none runs) inherits its output and lives on after it, and would
# keep a pipe to CTest open until the test's timeout.
out=$(mktemp)
status=0
"$WINE" "$@" >"$out" 2>&1 || status=$?
cat "$out"
rm -f "$out"
exit $status
