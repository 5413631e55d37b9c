# Sources whose compiler family is decided, with PB/CC 1.1, PB/CC 2.00 and PB/DLL 6.00
# installed: every way the countdown ends and what is started after it. Sourced by
# run_scenario.sh.

CC11='C:\PBCC11\PBCC.EXE'
CC200='C:\Program Files\PB CC 2.00\PBCC.EXE'
DLL60='C:\PBDLL60\PBDLL.EXE'
install_version 'PB/CC\1.1' "$CC11"
install_version 'PB/CC\2.00' "$CC200"
install_version 'PB/DLL\6.00' "$DLL60"
# Decided by analysis: PB/CC 2 (CLS, STDOUT), PB/DLL 1 (MSGBOX).
DEMO='C:\My Files\demo.bas'
write_source "$DEMO" 'CLS' 'STDOUT "x"' 'MSGBOX "hi"' 'x = 1'
# Decided by its directive; a path with a blank, given without quotes.
TWO='C:\src\two words.bas'
write_source "$TWO" "'use PB/DLL" 'CLS'
start_wine

# The countdown runs out: the newest PB/CC starts on the quoted path, given to it
# without quotes after one blank, about three seconds after the notice appeared. (The
# started program sees its own name in quotes: Wine puts them there when it had to
# find the program in a command line whose path holds blanks.)
write_notice_text 'C:\e2e\notice-demo.txt' 'This is probably (by code analysis) a  PB/CC application' \
    "$DEMO" 'PBCC:  2    PBDLL: 1' "$CC200"
drive ran-out <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\ran-out.log
start C:\e2e\DORVALIX.EXE "$DEMO"
wait-window $NOTICE
expect-text-file $NOTICE 0 C:\e2e\notice-demo.txt
wait-file C:\e2e\ran-out.log 2500 6000
wait-exit 0
expect-line C:\e2e\ran-out.log $(q "command=\"$CC200\" $DEMO")
EOF

# "&Go now!" on a directive source given as two arguments: one path, the newest PB/DLL.
write_notice_text 'C:\e2e\notice-two.txt' 'This is a source code designated PB/DLL application' \
    "$TWO" '' "$DLL60"
drive go-now <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\go-now.log
start C:\e2e\DORVALIX.EXE $TWO
wait-window $NOTICE
expect-text-file $NOTICE 0 C:\e2e\notice-two.txt
press $NOTICE 203
wait-file C:\e2e\go-now.log 0 2500
wait-exit 0
expect-line C:\e2e\go-now.log $(q "command=$DLL60 $TWO")
EOF

# "&Own choice": the notice goes, the screen offers what is installed, PB/CC 1.1 is
# started; after the screen no window comes back and nothing else starts.
drive own-choice <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\own-choice.log
start C:\e2e\DORVALIX.EXE "$DEMO"
wait-window $NOTICE
press $NOTICE 202
wait-window $SCREEN
expect-no-window $NOTICE 100
$(screen_states 208 212 213)
press $SCREEN 212
wait-gone $SCREEN
expect-no-window $NOTICE 4000
wait-exit 0
wait-file C:\e2e\own-choice.log
expect-line C:\e2e\own-choice.log $(q "command=$CC11 $DEMO")
EOF

# "&Cancel": the notice goes and nothing starts.
drive cancel <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\cancel.log
start C:\e2e\DORVALIX.EXE "$DEMO"
wait-window $NOTICE
press $NOTICE 201
wait-gone $NOTICE
expect-no-window $SCREEN 4000
wait-exit 0
EOF

# "&Wait !" holds the countdown past its three seconds; "&Continue" and "&Go now!"
# then start the compiler.
drive wait-continue <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\wait-continue.log
start C:\e2e\DORVALIX.EXE "$DEMO"
wait-window $NOTICE
press $NOTICE 204
wait-text $NOTICE 204 "&Continue"
sleep 3500
expect-no-file C:\e2e\wait-continue.log
press $NOTICE 204
wait-text $NOTICE 204 "&Wait !"
press $NOTICE 203
wait-file C:\e2e\wait-continue.log
wait-exit 0
EOF

# The notice closed by the close command: the countdown goes on to its end and the
# compiler starts as if it had run out.
drive closed <<EOF
timeout 15000
env DORVALIX_STAND_IN_LOG C:\e2e\closed.log
start C:\e2e\DORVALIX.EXE "$DEMO"
wait-window $NOTICE
close $NOTICE
wait-gone $NOTICE
wait-file C:\e2e\closed.log 2500 6000
wait-exit 0
expect-line C:\e2e\closed.log $(q "command=\"$CC200\" $DEMO")
EOF

# Nothing started late: one start where one was due, none after "&Cancel".
sleep 1
expect_starts 'C:\e2e\ran-out.log' 1
expect_starts 'C:\e2e\go-now.log' 1
expect_starts 'C:\e2e\own-choice.log' 1
expect_starts 'C:\e2e\cancel.log' 0
expect_starts 'C:\e2e\wait-continue.log' 1
expect_starts 'C:\e2e\closed.log' 1
