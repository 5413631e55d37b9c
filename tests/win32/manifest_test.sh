#!/bin/sh
# manifest_test.sh WINDRES PROGRAM: the program file carries its application manifest
# as resource 1 of type 24 (RT_MANIFEST), run as invoker without UI access, and it
# names every Windows version from Vista to 11 as supported; it runs in UTF-8 and
# knows long paths. Read back from the program file with windres, no Wine needed.
windres=$1 program=$2
fail=0
resources=$("$windres" -i "$program" -J coff -O rc 2>&1)
expect() {  # expect DESCRIPTION TEXT
    if ! printf '%s\n' "$resources" | grep -qF -- "$2"; then
        echo "FAIL: $1: [$2] not in the resources of $program"
        fail=1
    fi
}
expect "manifest resource" '1 24 /* RT_MANIFEST */'
expect "run as invoker" 'level=""asInvoker""'
expect "no UI access" 'uiAccess=""false""'
expect "UTF-8 as the code page" '<activeCodePage xmlns=""http://schemas.microsoft.com/SMI/2019/WindowsSettings"">UTF-8</activeCodePage>'
expect "long paths" '<longPathAware xmlns=""http://schemas.microsoft.com/SMI/2016/WindowsSettings"">true</longPathAware>'
expect "Windows Vista" '{e2011457-1546-43c5-a5fe-008deee3d3f0}'
expect "Windows 7" '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}'
expect "Windows 8" '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}'
expect "Windows 8.1" '{1f676c76-80e1-4239-95bb-83d0f6d0da78}'
expect "Windows 10 and 11" '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'
[ $fail -eq 0 ] || printf '%s\n' "$resources" | head -40
exit $fail
