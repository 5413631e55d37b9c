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
#   dist_test.sh same-bytes SOURCE TREE TOOLCHAIN BUILD_TYPE
#       No program file and no package names the folder of the sources or of the tree;
#       a copy of the sources in another folder, built there (the two programs and the
#       release only) with the same toolchain file and build type, packs the same bytes
#       as TREE: the zip, its checksum, the package and SHA256SUMS.
#   dist_test.sh signed TREE
#       Packed again with a certificate that the test makes itself, both programs in the
#       zip and the package verify against it. Each program carries the Authenticode
#       digest of the same program in TREE's unsigned release, and the package that of
#       the unsigned package packed from the signed programs: a signature adds nothing
#       but itself.
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

# The release files of a tree's dist folder, as the packing writes them.
release_files() {  # release_files TREE
    (cd "$1/dist" && ls dorvalix-*.zip dorvalix-*.zip.sha256 dorvalix-*.msi SHA256SUMS)
}

check_same_bytes() {  # check_same_bytes SOURCE TREE TOOLCHAIN BUILD_TYPE
    source=$1 tree=$2
    for file in "$tree"/dist/files/DORVALIX.EXE "$tree"/dist/files/dorvalix-classify.exe "$tree"/dist/dorvalix-*.msi; do
        check "$(basename "$file"): names of the build's folders" "" \
            "$(strings -a "$file" | grep -F -e "$source" -e "$tree" | head -3)"
    done
    # The sources as a clone would have them (tracked files and new ones, with the history
    # that gives the source date), in a folder of another name and depth.
    copy="$unpacked/elsewhere/sources" build="$unpacked/elsewhere/sources/build/other"
    mkdir -p "$copy"
    if git -C "$source" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        (cd "$source" && git ls-files -z -co --exclude-standard | xargs -0 cp --parents -t "$copy" && cp -a .git "$copy/") ||
            { echo "FAIL: could not copy the sources"; exit 1; }
    else
        (cd "$source" && tar --exclude=./build -cf - .) | (cd "$copy" && tar -xf -)
    fi
    cmake -S "$copy" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$copy/cmake/$3" -DCMAKE_BUILD_TYPE="$4" \
        -Wno-dev >"$unpacked/build.log" 2>&1 &&
        cmake --build "$build" --target dist -j2 >>"$unpacked/build.log" 2>&1 ||
        { tail -20 "$unpacked/build.log"; echo "FAIL: the copy of the sources does not build"; exit 1; }
    check "the release files" "$(release_files "$tree" | tr '\n' ' ')" "$(release_files "$build" | tr '\n' ' ')"
    for file in $(release_files "$tree"); do
        cmp -s "$tree/dist/$file" "$build/dist/$file" || { echo "FAIL: $file differs between the two builds"; fail=1; }
    done
    echo "built again in $build:"
    cat "$build/dist/SHA256SUMS"
}

# The Authenticode digest of a file: the one its signature is checked against
# (osslsigncode calls it the calculated message digest of a program, the calculated
# DigitalSignature of a package). An unsigned file gets a signature first, on a copy,
# with a second certificate of the test's own: a signature carries the digest of the
# file it was made for, whoever signs, and Debian 12's osslsigncode has no other way to
# print that digest.
authenticode_digest() {  # authenticode_digest FILE
    file=$1
    if ! osslsigncode verify -in "$file" 2>/dev/null | grep -q '^Signature Index'; then
        rm -f "$unpacked/resigned.bin"
        osslsigncode sign -pkcs12 "$signer/other.p12" -readpass "$signer/password" -h sha256 \
            -in "$file" -out "$unpacked/resigned.bin" >/dev/null 2>&1 || return 0
        file=$unpacked/resigned.bin
    fi
    osslsigncode verify -in "$file" 2>&1 |
        sed -n 's/^Calculated DigitalSignature *: *//p; s/^Calculated message digest *: *//p' |
        head -1 | tr -d ' ' | tr 'A-F' 'a-f'
}

check_signed() {  # check_signed TREE
    tree=$1 signer="$unpacked/signer" pack="$(dirname -- "$0")/../../scripts/pack-release.sh"
    mkdir -p "$signer"
    printf 'test signer %s\n' "$$" >"$signer/password"
    for who in signer other; do
        openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=DORVALIX test $who" \
            -addext extendedKeyUsage=codeSigning -keyout "$signer/$who.pem" -out "$signer/$who-cert.pem" \
            >/dev/null 2>&1 &&
            openssl pkcs12 -export -inkey "$signer/$who.pem" -in "$signer/$who-cert.pem" -out "$signer/$who.p12" \
                -passout "file:$signer/password" ||
            { echo "FAIL: openssl could not make a certificate"; exit 1; }
    done
    sh "$pack" --sign "$signer/signer.p12" "$signer/password" "$tree" "$unpacked/signed" >/dev/null ||
        { echo "FAIL: packing with the certificate"; exit 1; }
    check "the signed release's checksums" "" "$(cd "$unpacked/signed" && sha256sum -c --quiet SHA256SUMS 2>&1)"
    # The package holds the signed programs, so it is compared with the package packed,
    # unsigned, from those: a tree whose files are the signed ones.
    resigned="$unpacked/signed-tree"
    mkdir -p "$resigned/dist" "$resigned/generated" "$unpacked/unsigned"
    cp "$tree/generated/dorvalix_version.sh" "$resigned/generated/"
    unzip -q "$unpacked"/signed/dorvalix-*.zip -d "$resigned/dist/files" &&
        unzip -q "$tree"/dist/dorvalix-*.zip -d "$unpacked/unsigned" || { echo "FAIL: a zip does not unpack"; exit 1; }
    sh "$pack" "$resigned" "$resigned/dist" >/dev/null || { echo "FAIL: packing the signed programs"; exit 1; }
    package=$(basename "$tree"/dist/dorvalix-*.msi)
    for pair in "$resigned/dist/files/DORVALIX.EXE $unpacked/unsigned/DORVALIX.EXE" \
        "$resigned/dist/files/dorvalix-classify.exe $unpacked/unsigned/dorvalix-classify.exe" \
        "$unpacked/signed/$package $resigned/dist/$package"; do
        signed=${pair% *} unsigned=${pair#* } name=$(basename "${pair% *}")
        check "$name: verified against the test's certificate" "Signature verification: ok" \
            "$(osslsigncode verify -CAfile "$signer/signer-cert.pem" -in "$signed" 2>&1 | grep -m1 '^Signature verification')"
        digest=$(authenticode_digest "$unsigned")
        [ -n "$digest" ] || { echo "FAIL: $name: no digest of the unsigned file"; fail=1; }
        check "$name: Authenticode digest, signed and unsigned" "$digest" "$(authenticode_digest "$signed")"
        echo "$name: signed, digest $digest"
    done
}

case $mode in
contents) check_contents "$2" "$3" ;;
run) check_run "$2" "$3" "$4" "$5" ;;
same-bytes) check_same_bytes "$2" "$3" "$4" "$5" ;;
signed) check_signed "$2" ;;
*) echo "usage: dist_test.sh contents OBJDUMP ZIP | run WINE_EXEC ZIP DRIVER EXAMPLES |" \
        "same-bytes SOURCE TREE TOOLCHAIN BUILD_TYPE | signed TREE"; exit 64 ;;
esac
exit $fail
