#!/bin/sh
# dorvalix-classify as users and build scripts meet it: the verdicts of the bundled
# samples, the JSON form, and the exit codes for unreadable files and usage errors
# (also for the options only the Windows build has).
tool=$1 examples=$2
fail=0
check() {  # check DESCRIPTION EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then echo "FAIL: $1: got [$3], expected [$2]"; fail=1; fi
}

out=$("$tool" --json "$examples/console.bas" "$examples/windows.bas" "$examples/undecided.inc")
check "three JSON lines" 3 "$(printf '%s\n' "$out" | wc -l)"
check "console sample" '"kind":"console","byDirective":false' \
    "$(printf '%s\n' "$out" | sed -n 1p | grep -o '"kind":"[a-z]*","byDirective":[a-z]*')"
check "windows sample" '"kind":"windows","byDirective":true,"directiveLine":2' \
    "$(printf '%s\n' "$out" | sed -n 2p | grep -o '"kind":"[a-z]*","byDirective":[a-z]*,"directiveLine":[0-9]*')"
check "undecided sample" '"kind":"none"' "$(printf '%s\n' "$out" | sed -n 3p | grep -o '"kind":"[a-z]*"')"
check "keywords listed" 1 "$(printf '%s\n' "$out" | sed -n 1p | grep -c '"Cls"')"

"$tool" "$examples/console.bas" /nonexistent/x.bas >/tmp/dc-out.$$ 2>/tmp/dc-err.$$
check "exit code for an unreadable file" 2 $?
check "the readable file is still classified" 1 "$(grep -c 'console.bas: console' /tmp/dc-out.$$)"
check "the unreadable one is named on stderr" 1 "$(grep -c '/nonexistent/x.bas' /tmp/dc-err.$$)"
"$tool" "$examples" >/dev/null 2>/tmp/dc-err.$$
check "a folder is refused" "2 1" "$? $(grep -c 'is a folder' /tmp/dc-err.$$)"
rm -f /tmp/dc-out.$$ /tmp/dc-err.$$

"$tool" >/dev/null 2>&1
check "no file is a usage error" 64 $?
"$tool" --bogus x.bas >/dev/null 2>&1
check "an unknown option is a usage error" 64 $?
for option in --compilers "--dry-run $examples/console.bas"; do
    "$tool" $option >/dev/null 2>/tmp/dc-err.$$
    check "$option natively: one line, exit 64" "64 1" "$? $(grep -c 'need the Windows build' /tmp/dc-err.$$)"
done
rm -f /tmp/dc-err.$$

[ $fail -eq 0 ] && echo "classify tool: all checks passed"
exit $fail
