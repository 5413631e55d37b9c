# Names that the system's code page cannot hold (1252 here, as on a Western-European
# Windows): DORVALIX started as the shell starts a program, with the command line in
# UTF-16 (the driver runs in UTF-8 and starts it so). It reads the file named, shows
# it, registers itself and starts compilers below such folders, and hands the
# compilers, which read their command line in 1252, a spelling that opens the same
# file. Then the same sources on the build whose manifest lacks the code-page setting,
# as Windows before 10 1903 runs it. Sourced by run_scenario.sh.

# ł and ń have no letter in 1252 and become l and n: the console source has a twin
# that is a Windows source. Cyrillic has no letter there at all; é has one.
GDANSK='C:\Projekty\Gdańsk\łódka.bas'
TWIN='C:\Projekty\Gdansk\lódka.bas'
CYRILLIC='C:\Документы\файл.bas'
CAFE='C:\Sources\Café.bas'
Z90=$(printf 'ż%.0s' $(seq 1 90))
LONG="C:\\Projekty\\$Z90\\$Z90\\$Z90\\długi.bas"  # 294 characters, 566 bytes in UTF-8
write_source "$GDANSK" 'CLS'
write_source "$TWIN" 'MSGBOX "the twin"'
write_source "$CYRILLIC" "'use PB/CC"
write_source "$CAFE" 'CLS'
write_source "$LONG" 'CLS'
mkdir -p "$(host_path 'C:\Загрузки')"
cp "$E2E_TREE/DORVALIX.EXE" "$(host_path 'C:\Загрузки\DORVALIX.EXE')"
cp "$E2E_TREE/dorvalix-before-1903.exe" "$(host_path 'C:\e2e\dorvalix-before-1903.exe')"
CC200='C:\PBCC\PBCC.EXE'
DLL60='C:\Программы\PB DLL\PBDLL.EXE'
EDITOR='C:\Редактор\SrcEdit.exe'
for program in "$CC200" "$DLL60" "$EDITOR"; do
    mkdir -p "$(dirname "$(host_path "$program")")"
    cp "$E2E_TREE/stand-in-compiler.exe" "$(host_path "$program")"
done
start_wine
# Written by Wine's own reg, which takes its arguments in UTF-16 as well.
reg_add() { timeout 60 "$WINE" reg add "$@" /f >/dev/null || fail "reg add $*"; }
add_version_key 'PB/CC\2.00' "$CC200"
add_version_key 'PB/DLL\6.00' "$DLL60"
reg_add 'HKCR\.bas' /ve /d SrcEditFile
reg_add 'HKCR\SrcEditFile\shell\open\command' /ve /d "\"$EDITOR\" \"%1\""

# The stand-in's record in a log on C: has the line, byte for byte (the stand-in writes
# in 1252).
expect_record() {
    LC_ALL=C grep -qaxF -- "$2" "$(host_path "$1")" || fail "$1: no line [$2] in: $(cat "$(host_path "$1")")"
    say "$1: $2"
}
# The command line the stand-in got holds ASCII alone: a short path.
expect_ascii_command() {
    grep -a '^command=' "$(host_path "$1")" | LC_ALL=C grep -q '[^ -~]' && fail "$1: not ASCII: $(cat "$(host_path "$1")")"
    say "$1: the command line is ASCII"
}
# What dorvalix-classify --dry-run --json says DORVALIX starts for a path.
dry_run_command() {
    timeout 60 "$WINE" "$E2E_TREE/dorvalix-classify.exe" --dry-run --json "$1" | tr -d '\r' |
        sed -n 's/.*"commandLine":"\(.*\)"}$/\1/p' | sed 's/\\\\/\\/g; s/\\"/"/g'
}
# DORVALIX.EXE (or the given program of C:\e2e) on a source: the notice, "&Go now!", and
# the stand-in's log.
go_now() {  # case, source, program
    drive "$1" <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\\$1.log
start C:\e2e\\${3:-DORVALIX.EXE} $2
wait-window $NOTICE
press $NOTICE 203
wait-exit 0
wait-file C:\e2e\\$1.log
EOF
}

# The console source beside its twin: the notice names it as it is; PB/CC gets its
# short path, which opens it (not the twin), and the dry run says so beforehand.
planned=$(dry_run_command "$GDANSK")
write_notice_text 'C:\e2e\notice-gdansk.txt' 'This is probably (by code analysis) a  PB/CC application' \
    "$GDANSK" 'PBCC:  1    PBDLL: 0' "$CC200"
drive gdansk <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\gdansk.log
start C:\e2e\DORVALIX.EXE $GDANSK
wait-window $NOTICE
expect-text-file $NOTICE 0 C:\e2e\notice-gdansk.txt
press $NOTICE 203
wait-exit 0
wait-file C:\e2e\gdansk.log
EOF
expect_record 'C:\e2e\gdansk.log' 'opened=yes: CLS'
expect_ascii_command 'C:\e2e\gdansk.log'
expect_record 'C:\e2e\gdansk.log' "command=$planned"

# The twin itself is a Windows source: PB/DLL 6.00, installed below a Cyrillic folder,
# starts, and gets the path as it is, which 1252 holds (ó).
go_now twin "$TWIN"
expect_record 'C:\e2e\twin.log' 'opened=yes: MSGBOX "the twin"'
LC_ALL=C grep -qa "^command=.* C:\\\\Projekty\\\\Gdansk\\\\l$(printf '\363')dka.bas\$" "$(host_path 'C:\e2e\twin.log')" ||
    fail "twin: $(cat "$(host_path 'C:\e2e\twin.log')")"

# A name that 1252 holds: the command line the compilers always got, byte for byte.
go_now cafe "$CAFE"
expect_record 'C:\e2e\cafe.log' "command=$CC200 C:\\Sources\\Caf$(printf '\351').bas"
expect_record 'C:\e2e\cafe.log' 'opened=yes: CLS'

# No letter of the name in 1252; and a path longer than 260 characters.
go_now cyrillic "$CYRILLIC"
expect_record 'C:\e2e\cyrillic.log' "opened=yes: 'use PB/CC"
expect_ascii_command 'C:\e2e\cyrillic.log'
go_now long "$LONG"
expect_record 'C:\e2e\long.log' 'opened=yes: CLS'

# DORVALIX.EXE kept in a Cyrillic folder registers itself there; a double-click then
# starts that copy, and the editor that had .bas, below a Cyrillic folder too, is one
# verb away.
drive downloads <<EOF
timeout 15000
start C:\Загрузки\DORVALIX.EXE
wait-window Dorvalix
press Dorvalix 1
wait-exit 0
env DORVALIX_STAND_IN_LOG C:\e2e\double-click.log
shell-open open $CYRILLIC
wait-window $NOTICE
press $NOTICE 203
wait-exit 0
wait-file C:\e2e\double-click.log
env DORVALIX_STAND_IN_LOG C:\e2e\editor.log
shell-open "Open with SrcEdit" $CAFE
wait-exit 0
wait-file C:\e2e\editor.log
EOF
expect_record 'C:\e2e\double-click.log' "opened=yes: 'use PB/CC"
expect_record 'C:\e2e\editor.log' 'opened=yes: CLS'

# Without the code-page setting the program runs in 1252 and gets the command line in
# it: never the twin, but the short path; a name with no spelling and no short name (a
# missing file has none) is the open-failure box.
go_now before-1903 "$GDANSK" dorvalix-before-1903.exe
expect_record 'C:\e2e\before-1903.log' 'opened=yes: CLS'
expect_ascii_command 'C:\e2e\before-1903.log'
go_now before-1903-cafe "$CAFE" dorvalix-before-1903.exe
expect_record 'C:\e2e\before-1903-cafe.log' "command=$CC200 C:\\Sources\\Caf$(printf '\351').bas"
drive before-1903-missing <<EOF
timeout 15000
start C:\e2e\dorvalix-before-1903.exe C:\Документы\нет.bas
wait-window "Dorvalix warning"
expect-text "Dorvalix warning" box "The file passed as parameter could not be opened!\rExecution terminated."
press "Dorvalix warning" 1
wait-exit 0
EOF
