#!/bin/sh
# End-to-end scenarios: the real DORVALIX.EXE in a Wine prefix of its own, driven from
# outside by dorvalix-driver as a user would drive it.
#
#   run_scenario.sh template             makes the template prefix once per test run
#   run_scenario.sh scenario <file.sh>   runs one scenario in a fresh copy of it
#
# Environment (set by CTest): E2E_TREE, the build tree holding DORVALIX.EXE,
# dorvalix-driver.exe, stand-in-compiler.exe and generated/dorvalix_version.sh (the
# title); E2E_TEMPLATE, the template prefix; E2E_TOOL_LINE, the credit line naming the
# compiler. WINE_ARCH and WINEPREFIX come from scripts/with-wine.sh, which runs CTest:
# the template is made from that prefix (else build/wineprefix-$WINE_ARCH), and each
# scenario's copy is of the same kind. In a 64-bit prefix (wow64) the 32-bit program's
# HKEY_LOCAL_MACHINE\Software is Software\Wow6432Node: a scenario plants compiler keys
# through install_version or add_version_key, which write them where the program
# reads them, and reads Default apps' entries with reg's $REG_SHELL_VIEW.
#
# The template is a copy of the project's prefix (hard links for the Wine programs and
# DLLs, which are only read) with its registry cleared of every trace of DORVALIX and
# of the compilers. A scenario gets such a copy of the template, its own X display and
# its own wineserver; all three are removed at its end, failed or not.
set -eu
E2E_ROOT=$(CDPATH= cd -- "$(dirname -- "$0")/../.." && pwd)

# printf, not echo: the texts hold backslashes, which the shell's echo may read as escapes.
say() { printf '%s\n' "$*"; }
fail() { say "e2e: FAILED: $*" >&2; exit 1; }

# A prefix copy: links for Wine's programs and DLLs (over 500 MB, only ever read), real
# copies of the rest (the registry, ini files: a few dozen files that a run may write,
# which must not reach the prefix they came from).
copy_prefix() {
    rm -rf "$2"
    cp -al "$1" "$2"
    find "$2" -type f ! -path '*/drive_c/windows/system32/*' ! -path '*/drive_c/windows/syswow64/*' \
        ! -path '*/drive_c/windows/winsxs/*' -exec sh -c \
        'for f; do cp -p "$f" "$f.copy" && mv "$f.copy" "$f"; done' sh {} +
}

# Drops from a .reg file every key at or below the given key paths (as the file
# writes them, backslashes doubled).
drop_keys() {
    file=$1; shift
    # The key paths reach awk through the environment: awk -v would turn their doubled
    # backslashes into single ones, and no key would ever match.
    DROP_KEYS="$*" awk '
        BEGIN { n = split(ENVIRON["DROP_KEYS"], drop, " ") }
        /^\[/ {
            skip = 0
            name = tolower(substr($0, 2))
            for (i = 1; i <= n; i++) {
                k = tolower(drop[i])
                if (index(name, k "]") == 1 || index(name, k "\\\\") == 1) skip = 1
            }
        }
        !skip' "$file" >"$file.new"
    mv "$file.new" "$file"
}

make_template() {
    E2E_SOURCE_PREFIX=${WINEPREFIX:-$E2E_ROOT/build/wineprefix-$WINE_ARCH}
    [ -f "$E2E_SOURCE_PREFIX/system.reg" ] || fail "no Wine prefix at $E2E_SOURCE_PREFIX (run under scripts/with-wine.sh)"
    copy_prefix "$E2E_SOURCE_PREFIX" "$E2E_TEMPLATE.new"
    for reg in system.reg user.reg; do
        drop_keys "$E2E_TEMPLATE.new/$reg" 'Software\\Classes\\.bas' 'Software\\Classes\\.inc' \
            'Software\\Classes\\Dorvalix' 'Software\\PowerBASIC' 'Software\\Wow6432Node\\PowerBASIC' \
            'Software\\Dorvalix' 'Software\\Wow6432Node\\Dorvalix' 'Software\\RegisteredApplications'
    done
    rm -rf "$E2E_TEMPLATE"
    mv "$E2E_TEMPLATE.new" "$E2E_TEMPLATE"
    echo "e2e: template prefix $E2E_TEMPLATE"
}

# ---- what a scenario may call ----

# NOTICE and SCREEN: the titles of the countdown notice and of the selection screen,
# quoted as driver steps take them (set from the build's version before a scenario runs).

# A Windows text escaped for a .reg file or a quoted driver argument: \ and " escaped.
escape() { printf '%s' "$1" | sed 's/\\/\\\\/g; s/"/\\"/g'; }
# As a quoted driver argument.
q() { printf '"%s"' "$(escape "$1")"; }
# The path in this machine's terms of a path on C:.
host_path() { printf '%s/drive_c/%s' "$WINEPREFIX" "$(printf '%s' "${1#C:\\}" | tr '\\' /)"; }

# A registry default or named value written before Wine starts: key below
# HKEY_LOCAL_MACHINE, value name ("@" for the default), text, and "expand" for a
# REG_EXPAND_SZ (else REG_SZ).
set_machine_value() {
    [ -z "$WINE_STARTED" ] || fail "set_machine_value after Wine started"
    name=$2; [ "$name" = @ ] || name="\"$(escape "$name")\""
    kind=; [ "${4:-}" = expand ] && kind='str(2):'
    printf '\n[%s] 0\n%s=%s"%s"\n' "$(escape "$1")" "$name" "$kind" "$(escape "$3")" >>"$WINEPREFIX/system.reg"
}

# A stand-in compiler installed at the Windows path (on C:) under a version key
# ("PB/CC\2.00"), as its installer would have written it.
install_version() {
    mkdir -p "$(dirname "$(host_path "$2")")"
    cp "$E2E_TREE/stand-in-compiler.exe" "$(host_path "$2")"
    set_machine_value "$PROGRAM_SOFTWARE\\PowerBASIC\\$1" Filename "$2"
}

# The same while Wine runs: reg add in the program's own view of the registry.
add_version_key() {  # version key ("PB/CC\2.00"), the program's Windows path
    # shellcheck disable=SC2086
    timeout 60 "$WINE" reg add "HKLM\\Software\\PowerBASIC\\$1" /v Filename /d "$2" $REG_PROGRAM_VIEW /f \
        >/dev/null || fail "could not install $1"
}

# A source file on C: with the given lines (each ended by CR LF).
write_source() {
    mkdir -p "$(dirname "$(host_path "$1")")"
    shift_path=$1; shift
    : >"$(host_path "$shift_path")"
    for line in "$@"; do printf '%s\r\n' "$line" >>"$(host_path "$shift_path")"; done
}

# Driver steps that check the selection screen's version buttons: those whose
# identifiers are given can be pressed, the others are greyed; "&Cancel" always can.
screen_states() {
    for id in 205 206 207 208 211 212 213; do
        state=no
        for enabled in "$@"; do [ "$id" = "$enabled" ] && state=yes; done
        say "expect-enabled $SCREEN $id $state"
    done
    say "expect-enabled $SCREEN 201 yes"
}

# The log of a stand-in (on C:) holds that many starts.
expect_starts() {
    log=$(host_path "$1") count=0
    [ -f "$log" ] && count=$(grep -c '^command=' "$log" || true)
    [ "$count" -eq "$2" ] || fail "$1: $count starts recorded, expected $2"
    say "$1: $count start(s), as expected"
}

start_wine() {
    start_display || fail "no display"
    wineserver -p
    WINE_STARTED=1
    timeout 120 "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Runs a driver script given on standard input; its name is the first argument.
drive() {
    script="C:\\e2e\\$1.script"
    cat >"$(host_path "$script")"
    echo "---- $1"
    timeout 120 "$WINE" 'C:\e2e\dorvalix-driver.exe' script "$script" || fail "driver script $1"
}

# The default value of a key below HKEY_CLASSES_ROOT of the given type (REG_SZ unless
# named), as reg query shows it.
classes_value() {
    timeout 60 "$WINE" reg query "HKCR\\$1" /ve 2>/dev/null | tr -d '\r' |
        sed -n "s/^    (Default)    ${2:-REG_SZ}    //p"
}

expect_classes_value() {  # key, text, type (REG_SZ unless named)
    got=$(classes_value "$1" "${3:-}")
    [ "$got" = "$2" ] || fail "HKCR\\$1: got [$got], expected [$2] of type ${3:-REG_SZ}"
    say "HKCR\\$1 = $got"
}

# The countdown notice's text for a decided source, byte for byte, into a file on C:.
write_notice_text() {  # file, first line, source path, count line, compiler path
    printf '%s\r%s\r\r%s\r\rFiring up the application in 3 seconds....\rLatest version located at:\r%s' \
        "$2" "$3" "$4" "$5" >"$(host_path "$1")"
    credit_block >>"$(host_path "$1")"
}

credit_block() {
    printf '\r\r%s\r%s\r%s\r%s\r\r%s\r%s\r%s' \
        "Written by the Dorvalix developers" "https://dorvalix.example.org" \
        "Registry code by the Dorvalix developers, from their file" \
        "registry/registry_win32.cpp, donated to the public domain" \
        "DORVALIX: let your source select the compiler" "$E2E_TOOL_LINE" \
        "The compilers: http://www.powerbasic.com"
}

# ---- one scenario ----

cleanup() {
    status=$?
    [ -n "$WINE_STARTED" ] && wineserver -k >/dev/null 2>&1 || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && wait "$XVFB_PID" 2>/dev/null || true
    if [ -n "$RUN" ] && [ -z "${E2E_KEEP:-}" ]; then rm -rf "$RUN"; fi
    exit $status
}

run_scenario() {
    RUN="" XVFB_PID="" WINE_STARTED=""
    trap cleanup EXIT INT TERM
    [ -d "$E2E_TEMPLATE" ] || fail "no template prefix at $E2E_TEMPLATE"
    mkdir -p "$E2E_TREE/e2e-runs"
    RUN=$(mktemp -d "$E2E_TREE/e2e-runs/$(basename "$1" .sh).XXXXXX")
    WINEPREFIX="$RUN/prefix"
    export WINEPREFIX
    . "$E2E_ROOT/scripts/wine-env.sh"  # the loader and settings for WINE_ARCH
    . "$E2E_TREE/generated/dorvalix_version.sh"
    NOTICE="\"$DORVALIX_TITLE\""
    SCREEN="\"$DORVALIX_TITLE Make your own selection\""
    copy_prefix "$E2E_TEMPLATE" "$WINEPREFIX"
    mkdir -p "$WINEPREFIX/drive_c/e2e"
    cp "$E2E_TREE/DORVALIX.EXE" "$E2E_TREE/dorvalix-driver.exe" "$WINEPREFIX/drive_c/e2e/"
    started=$(date +%s%N)
    . "$1"
    echo "e2e: $(basename "$1" .sh) passed in $((($(date +%s%N) - started) / 1000000)) ms"
}

case "${1:-}" in
template) make_template ;;
scenario) run_scenario "$2" ;;
*) echo "usage: run_scenario.sh template | scenario <file.sh>" >&2; exit 64 ;;
esac
