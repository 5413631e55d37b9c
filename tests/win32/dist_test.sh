#!/bin/sh
# dist_test.sh: the release zip as its users get it.
#   dist_test.sh contents OBJDUMP ZIP
#       It holds exactly the two program files, README.md and LICENSE; the program
#       files are stripped and import nothing but DLLs that every Windows has;
#       DORVALIX.EXE still exports ISWIN95. Its checksum file beside it holds its SHA-256
#       as sha256sum -c reads it.
#   dist_test.sh run WINE_EXEC ZIP DRIVER EXAMPLES
#       Unpacked in a folder of its own, dorvalix-classify.exe classifies a sample and
#       DORVALIX.EXE without an argument shows its usage box (answered by DRIVER).
mode=$1
fail=0
check() {  # check DESCRIPTION EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then printf "FAIL: %s: got [%s], expected [%s]\n" "$1" "$3" "$2"; fail=1; fi
}
unpacked=$(mktemp -d "${TMPDIR:-/tmp}/dorvalix-dist.XXXXXX") || exit 1
trap 'rm -rf "$unpacked"' EXIT

# The DLLs of Windows itself; a program file that imports any other would not start
# on a machine without that DLL beside it.
SystemDlls="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll
ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll version.dll"

check_contents() {  # check_contents OBJDUMP ZIP
    objdump=$1 zip=$2
    check "files in the zip" "DORVALIX.EXE LICENSE README.md dorvalix-classify.exe" \
        "$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')"
    check "the checksum beside the zip" "$(basename "$zip"): OK" \
        "$(cd "$(dirname "$zip")" && sha256sum -c "$(basename "$zip").sha256" 2>&1)"
    unzip -q "$zip" -d "$unpacked" || { echo "FAIL: $zip does not unpack"; exit 1; }
    for program in DORVALIX.EXE dorvalix-classify.exe; do
        dlls=$("$objdump" -p "$unpacked/$program" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
        [ -n "$dlls" ] || { echo "FAIL: $program: no imports read"; fail=1; }
        for dll in $dlls; do
            case " $(echo $SystemDlls) " in
            *" $dll "*) ;;
            *) echo "FAIL: $program imports $dll, which is not a DLL of Windows"; fail=1 ;;
            esac
        done
        check "$program: debug sections" "" "$("$objdump" -h "$unpacked/$program" | grep -o '\.debug_[a-z_]*' | head -1)"
        check "$program: symbol table" "" "$("$objdump" -t "$unpacked/$program" | grep -m1 '^\[')"
    done
    "$(dirname -- "$0")/exports_test.sh" "$objdump" "$unpacked/DORVALIX.EXE" || fail=1
}

check_run() {  # check_run WINE_EXEC ZIP DRIVER EXAMPLES
    wine_exec=$1 zip=$2 driver=$3 examples=$4
    unzip -q "$zip" -d "$unpacked" || { echo "FAIL: $zip does not unpack"; exit 1; }
    cp "$examples/console.bas" "$unpacked/"
    cd "$unpacked" || exit 1
    out=$(timeout 60 "$wine_exec" ./dorvalix-classify.exe console.bas 2>&1 | tr -d '\r')
    check "dorvalix-classify.exe on the console sample" "console.bas: console" \
        "$(printf '%s\n' "$out" | head -1 | cut -d' ' -f1-2)"
    # Its full Windows path, so that the driver starts this copy and not the one
    # beside itself (Wine's drive Z: is the Unix root).
    exe="Z:$(printf '%s' "$unpacked/DORVALIX.EXE" | tr / '\\')"
    out=$(timeout 90 "$wine_exec" "$driver" run "$exe" --expect-box Dorvalix 2>&1 | tr -d '\r')
    check "usage box of DORVALIX.EXE from the zip" 'box text: "No parameter is used. Please use:\r\rDORVALIX sourcecode.bas\r\ror doubleclick on any file with the .BAS extension"' \
        "$(printf '%s\n' "$out" | grep '^box text')"
    check "its exit code" "exit code: 0" "$(printf '%s\n' "$out" | grep '^exit code')"
}

case $mode in
contents) check_contents "$2" "$3" ;;
run) check_run "$2" "$3" "$4" "$5" ;;
*) echo "usage: dist_test.sh contents OBJDUMP ZIP | run WINE_EXEC ZIP DRIVER EXAMPLES"; exit 64 ;;
esac
exit $fail
