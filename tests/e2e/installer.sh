# The installer package as a user meets it, in a prefix where .bas belongs to another
# program: installed silently, opened with a double-click, replaced by a newer version
# (an older one is refused), removed, and the registry as it was before. Sourced by
# run_scenario.sh.

set_machine_value 'Software\Classes\.bas' @ 'SrcEditFile'
set_machine_value 'Software\Classes\SrcEditFile\shell\open\command' @ 'C:\Tools\SrcEdit.exe "%1"'
install_version 'PB/CC\2.00' 'C:\PBCC200\PBCC.EXE'
write_source 'C:\src\a.bas' 'CLS'
cp "$E2E_TREE/dist/dorvalix-$DORVALIX_VERSION.msi" "$WINEPREFIX/drive_c/e2e/installed.msi"
# The next version's package: the same files, the third number of the version one higher.
next_version=${DORVALIX_PACKAGE_VERSION%.*}.$((${DORVALIX_PACKAGE_VERSION##*.} + 1))
sh "$E2E_ROOT/scripts/pack-release.sh" --version "$DORVALIX_VERSION-next" "$next_version" "$E2E_TREE" "$RUN/next" \
    >/dev/null || fail "could not pack the next version"
cp "$RUN/next/dorvalix-$DORVALIX_VERSION-next.msi" "$WINEPREFIX/drive_c/e2e/next.msi"
start_wine

# What DORVALIX may touch in the registry, as reg shows it: the file types in both
# halves, and its Default apps entry, in the 64-bit view where Windows has one.
registry_state() {
    for key in 'HKLM\Software\Classes\.bas' 'HKLM\Software\Classes\.inc' 'HKLM\Software\Classes\Dorvalix' \
        'HKCU\Software\Classes\.bas' 'HKCU\Software\Classes\.inc' 'HKCU\Software\Classes\Dorvalix' \
        'HKLM\Software\Dorvalix /reg:64' 'HKLM\Software\RegisteredApplications /reg:64' \
        'HKCU\Software\Dorvalix' 'HKCU\Software\RegisteredApplications'; do
        say "[$key]"
        # shellcheck disable=SC2086
        timeout 60 "$WINE" reg query $key /s 2>/dev/null | tr -d '\r' | grep -v -e '^$' -e '^reg: ' || true
    done
}

# The Apps & features entries named DORVALIX, one line each: key name, version,
# publisher and whether Modify is offered. Wine writes them below the machine's 32-bit
# view, Windows below the user's installer data: all places are read, each entry once.
entries() {
    for place in 'HKLM /reg:32' 'HKLM /reg:64' 'HKCU'; do
        # shellcheck disable=SC2086
        timeout 60 "$WINE" reg query ${place% *}'\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s \
            $(echo "$place" | sed -n 's/^[^ ]* //p') 2>/dev/null | tr -d '\r'
    done | awk '
        /^HKEY_/ { n = split($0, parts, "\\"); key = parts[n]; next }
        $1 == "DisplayName" { name[key] = substr($0, index($0, "REG_SZ") + 10) }
        $1 == "DisplayVersion" { version[key] = $3 }
        $1 == "Publisher" { publisher[key] = substr($0, index($0, "REG_SZ") + 10) }
        $1 == "NoModify" { nomodify[key] = $3 }
        END { for (k in name) if (name[k] == "DORVALIX")
                  printf "%s %s [%s] NoModify=%s\n", k, version[k], publisher[k], nomodify[k] }' | sort -u
}

msiexec_run() {  # arguments; prints the exit code
    code=0
    timeout 120 "$WINE" msiexec "$@" >/dev/null 2>&1 </dev/null || code=$?
    say "$code"
}

expect_entry() {  # version
    got=$(entries)
    [ "$(printf '%s\n' "$got" | grep -c .)" -eq 1 ] || fail "Apps & features entries: [$got], expected one"
    case $got in
    *" $1 [$DORVALIX_PUBLISHER] NoModify=0x1") say "Apps & features: $got" ;;
    *) fail "Apps & features entry: [$got], expected version $1, publisher $DORVALIX_PUBLISHER, NoModify=0x1" ;;
    esac
}

before=$(registry_state)
localappdata=$(timeout 60 "$WINE" cmd /c echo '%LOCALAPPDATA%' | tr -d '\r')
folder="$localappdata\\Programs\\DORVALIX"
installed_files() { (cd "$(host_path "$folder")" 2>/dev/null && ls | tr '\n' ' '); }

# Installed silently: the files in the user's programs folder, the package's entry,
# and the installed copy registered (the program's own /register).
[ "$(msiexec_run /i 'C:\e2e\installed.msi' /qn)" = 0 ] || fail "msiexec /i installed.msi failed"
[ "$(installed_files)" = 'DORVALIX.EXE LICENSE README.md dorvalix-classify.exe ' ] ||
    fail "installed files: [$(installed_files)]"
say "installed in $folder: $(installed_files)"
expect_entry "$DORVALIX_PACKAGE_VERSION"
expect_classes_value '.bas' 'Dorvalix'
expect_classes_value 'Dorvalix\shell\open\command' "\"$folder\\DORVALIX.EXE\" \"%1\""

# A double-click on a source: the installed copy runs and starts the compiler.
drive double-click <<EOF
timeout 20000
env DORVALIX_STAND_IN_LOG C:\e2e\double-click.log
shell-open open C:\src\a.bas
wait-window $NOTICE
press $NOTICE 203
wait-exit 0
wait-file C:\e2e\double-click.log
expect-line C:\e2e\double-click.log $(q 'command=C:\PBCC200\PBCC.EXE C:\src\a.bas')
EOF
expect_starts 'C:\e2e\double-click.log' 1

# The next version replaces it: one entry, still registered; the older package is then
# refused and changes nothing.
[ "$(msiexec_run /i 'C:\e2e\next.msi' /qn)" = 0 ] || fail "msiexec /i next.msi failed"
expect_entry "$next_version"
expect_classes_value 'Dorvalix\shell\open\command' "\"$folder\\DORVALIX.EXE\" \"%1\""
# 1603, a launch condition failed; the shell sees it modulo 256.
code=$(msiexec_run /i 'C:\e2e\installed.msi' /qn)
[ "$code" = $((1603 % 256)) ] || fail "the older package over the newer one: exit code $code, expected 1603"
say "the older package over the newer one: refused (1603)"
expect_entry "$next_version"

# Removed silently: the folder gone, the registry as before the install.
[ "$(msiexec_run /x 'C:\e2e\next.msi' /qn)" = 0 ] || fail "msiexec /x next.msi failed"
[ ! -e "$(host_path "$folder")" ] || fail "$folder is still there: $(installed_files)"
[ -z "$(entries)" ] || fail "Apps & features entries after the removal: $(entries)"
after=$(registry_state)
[ "$after" = "$before" ] || fail "the registry after the removal differs: $(printf '%s\n' "$before" >"$RUN/before.txt"; printf '%s\n' "$after" >"$RUN/after.txt"; diff "$RUN/before.txt" "$RUN/after.txt")"
say "removed: $folder gone, no entry, the registry as before:"
printf '%s\n' "$before"
