# The first start on a machine where other programs open .bas and .inc, and the starts
# that end in a box or on a screen with nothing to choose. Sourced by run_scenario.sh.

# Before DORVALIX: .bas and .inc belong to two other editors; the one of .inc has its
# open command stored as an expandable text (REG_EXPAND_SZ), as many installers do.
set_machine_value 'Software\Classes\.bas' @ 'SrcEditFile'
set_machine_value 'Software\Classes\SrcEditFile\shell\open\command' @ 'C:\Tools\SrcEdit.exe "%1"'
set_machine_value 'Software\Classes\.inc' @ 'IncFile'
set_machine_value 'Software\Classes\IncFile\shell\open\command' @ '%SystemDrive%\Tools\IncEdit.exe "%1"' expand
write_source 'C:\src\a.bas' 'CLS'
write_source 'C:\src\c.inc' 'x = 1'
write_source 'C:\src\b.bas' 'CLS'
write_source 'C:\src\plain.bas' 'x = 1'
start_wine

USAGE='"No parameter is used. Please use:\r\rDORVALIX sourcecode.bas\r\ror doubleclick on any file with the .BAS extension"'
WARNING='"The file passed as parameter could not be opened!\rExecution terminated."'

# No argument: the usage box, shown after the registration (its keys are there while
# the box is up).
drive usage <<EOF
timeout 15000
start "C:\e2e\DORVALIX.EXE"
wait-window Dorvalix
expect-text Dorvalix box $USAGE
run-check reg query "HKCR\Dorvalix\shell\open\command" /ve
press Dorvalix 1
wait-exit 0
EOF

expect_classes_value '.bas' 'Dorvalix'
expect_classes_value '.inc' 'Dorvalix'
expect_classes_value 'Dorvalix\shell\open\command' '"C:\e2e\DORVALIX.EXE" "%1"'
expect_classes_value 'Dorvalix\shell\openas\command' 'rundll32.exe shell32.dll,OpenAs_RunDLL "%1"'
# The editors that had the extensions stay one click away; their own keys are kept.
expect_classes_value 'Dorvalix\shell\Open with SrcEdit\command' 'C:\Tools\SrcEdit.exe "%1"'
expect_classes_value 'Dorvalix\shell\Open with IncEdit\command' '%SystemDrive%\Tools\IncEdit.exe "%1"' REG_EXPAND_SZ
expect_classes_value 'SrcEditFile\shell\open\command' 'C:\Tools\SrcEdit.exe "%1"'

# Sources that cannot be opened: a missing file; an existing one whose closing quote
# stays because a blank follows it; two existing files given as two arguments, which
# are one path that names neither.
n=0
for tail in '"C:\src\missing.bas"' '"C:\src\a.bas" ' 'C:\src\a.bas C:\src\b.bas'; do
    n=$((n + 1))
    drive "warning-$n" <<EOF
timeout 15000
start C:\e2e\DORVALIX.EXE $tail
wait-window "Dorvalix warning"
expect-text "Dorvalix warning" box $WARNING
press "Dorvalix warning" 1
wait-exit 0
EOF
done

# No compiler installed and no decision: the selection screen offers nothing to press
# but "&Cancel"; its close command ends it like "&Cancel".
drive nothing-installed <<EOF
timeout 15000
start C:\e2e\DORVALIX.EXE C:\src\plain.bas
wait-window $NOTICE
press $NOTICE 203
wait-window $SCREEN
dump $SCREEN
$(screen_states)
close $SCREEN
wait-gone $SCREEN
wait-exit 0
EOF

# Later starts took nothing over: still the four verbs of the first start.
verbs=$(timeout 60 "$WINE" reg query 'HKCR\Dorvalix\shell' | tr -d '\r' |
    sed -n 's/^HKEY_CLASSES_ROOT\\Dorvalix\\shell\\//p' | sort | tr '\n' '|')
[ "$verbs" = 'Open with IncEdit|Open with SrcEdit|open|openas|' ] || fail "verbs of Dorvalix: $verbs"
say "verbs of Dorvalix: $verbs"

# Opened as the shell opens it on a double-click: the open verb runs DORVALIX on the
# file, which starts the compiler it decided; the editors that had .bas and .inc before
# are one verb away and get the file as their own commands say, the expandable one
# expanded. All are stand-ins.
mkdir -p "$(host_path 'C:\PBCC200')" "$(host_path 'C:\Tools')"
cp "$E2E_TREE/stand-in-compiler.exe" "$(host_path 'C:\PBCC200\PBCC.EXE')"
cp "$E2E_TREE/stand-in-compiler.exe" "$(host_path 'C:\Tools\SrcEdit.exe')"
cp "$E2E_TREE/stand-in-compiler.exe" "$(host_path 'C:\Tools\IncEdit.exe')"
add_version_key 'PB/CC\2.00' 'C:\PBCC200\PBCC.EXE'
drive shell-open <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\shell-open.log
shell-open open C:\src\a.bas
wait-window $NOTICE
press $NOTICE 203
wait-exit 0
wait-file C:\e2e\shell-open.log
expect-line C:\e2e\shell-open.log $(q 'command=C:\PBCC200\PBCC.EXE C:\src\a.bas')
env DORVALIX_STAND_IN_LOG C:\e2e\srcedit.log
shell-open "Open with SrcEdit" C:\src\a.bas
wait-exit 0
wait-file C:\e2e\srcedit.log
expect-line C:\e2e\srcedit.log $(q 'command=C:\Tools\SrcEdit.exe "C:\src\a.bas"')
env DORVALIX_STAND_IN_LOG C:\e2e\incedit.log
shell-open "Open with IncEdit" C:\src\c.inc
wait-exit 0
wait-file C:\e2e\incedit.log
expect-line C:\e2e\incedit.log $(q 'command=C:\Tools\IncEdit.exe "C:\src\c.inc"')
EOF
expect_starts 'C:\e2e\shell-open.log' 1
expect_starts 'C:\e2e\srcedit.log' 1
expect_starts 'C:\e2e\incedit.log' 1
