# Sources that decide nothing, and one whose family has no installed version, with
# PB/DLL 1.0, 2.0 and 5.00 installed and no PB/CC: the selection screen and what its
# buttons start. Sourced by run_scenario.sh.

DLL10='C:\PBDLL10\PBDLL.EXE'
DLL20='C:\PBDLL20\PBDLL.EXE'
DLL50='C:\PBDLL50\PBDLL.EXE'
install_version 'PB/DLL\1.0' "$DLL10"
install_version 'PB/DLL\2.0' "$DLL20"
install_version 'PB/DLL\5.00' "$DLL50"
# Were the not-found text started as a command, this would record it: No.exe beside
# DORVALIX.EXE, where a program name without a path is looked for first.
cp "$E2E_TREE/stand-in-compiler.exe" "$(host_path 'C:\e2e\No.exe')"
PLAIN='C:\src\plain.bas'
write_source "$PLAIN" 'x = 1' 'y = x + 1'
CONSOLE='C:\src\console.bas'
write_source "$CONSOLE" 'CLS'
start_wine

# The countdown runs out: the screen comes by itself, with the installed versions
# pressable; "PB/DLL 2.0" starts that version.
undecided_text() {
    printf '%s\r\r\r%s\r%s\r\r\r%s\r%s\r' 'No compiler specific keywords found in first 1000 lines... ' \
        'so no auto selection is possible.' 'Switching to selection screen in 3 seconds' \
        'You have to make your own selection!' "If desired place 'use PB/CC or 'use PB/DLL in your source"
    credit_block
}
undecided_text >"$(host_path 'C:\e2e\notice-plain.txt')"
drive ran-out <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\ran-out.log
start C:\e2e\DORVALIX.EXE $PLAIN
wait-window $NOTICE
expect-text-file $NOTICE 0 C:\e2e\notice-plain.txt
wait-window $SCREEN
expect-no-window $NOTICE 100
$(screen_states 205 206 207)
press $SCREEN 206
wait-gone $SCREEN
wait-exit 0
wait-file C:\e2e\ran-out.log
expect-line C:\e2e\ran-out.log $(q "command=$DLL20 $PLAIN")
EOF

# "&Go now!", then the screen's "&Cancel": nothing starts.
drive go-now-cancel <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\go-now-cancel.log
start C:\e2e\DORVALIX.EXE $PLAIN
wait-window $NOTICE
press $NOTICE 203
wait-window $SCREEN
press $SCREEN 201
wait-gone $SCREEN
wait-exit 0
EOF

# "&Own choice", then "PB/DLL 1.0".
drive own-choice <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\own-choice.log
start C:\e2e\DORVALIX.EXE $PLAIN
wait-window $NOTICE
press $NOTICE 202
wait-window $SCREEN
press $SCREEN 205
wait-gone $SCREEN
expect-no-window $SCREEN 4000
wait-exit 0
wait-file C:\e2e\own-choice.log
expect-line C:\e2e\own-choice.log $(q "command=$DLL10 $PLAIN")
EOF

# "&Cancel" on the notice: no screen, nothing started.
drive cancel <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\cancel.log
start C:\e2e\DORVALIX.EXE $PLAIN
wait-window $NOTICE
press $NOTICE 201
wait-gone $NOTICE
expect-no-window $SCREEN 4000
wait-exit 0
EOF

# A PB/CC source and no PB/CC installed: the notice names no compiler, counts down and
# nothing is started.
write_notice_text 'C:\e2e\notice-console.txt' 'This is probably (by code analysis) a  PB/CC application' \
    "$CONSOLE" 'PBCC:  1    PBDLL: 0' 'No recognized PB/CC versions found in Registry...'
drive no-compiler <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\no-compiler.log
start C:\e2e\DORVALIX.EXE $CONSOLE
wait-window $NOTICE
expect-text-file $NOTICE 0 C:\e2e\notice-console.txt
wait-gone $NOTICE
expect-no-window $SCREEN 4000
wait-exit 0
EOF

sleep 1
expect_starts 'C:\e2e\ran-out.log' 1
expect_starts 'C:\e2e\go-now-cancel.log' 0
expect_starts 'C:\e2e\own-choice.log' 1
expect_starts 'C:\e2e\cancel.log' 0
expect_starts 'C:\e2e\no-compiler.log' 0
