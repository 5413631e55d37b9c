# Where users keep DORVALIX: in the Downloads folder, which holds whatever a web page
# made the browser save, and inside the release zip, which Explorer runs from a
# temporary copy that it deletes later. Sourced by run_scenario.sh.

# DLLs of the test's own (planted.dll, which logs each load to C:\e2e\planted.log)
# beside both programs, under the names of DLLs they load after they start: comctl32
# and uxtheme (the buttons' Common Controls 6 bring them), and SHELL32 with the
# libraries it imports (the start that changes the registration loads it). Windows
# would take such a DLL from the program's folder first; Wine is told to do the same
# (n,b: a native DLL before its own). Not planted, being Wine's own ways: what Wine's
# DLLs load before the program's first call (its user32 imports imm32 and version),
# and what Wine's DLLs load on first use through their delayed imports, which pass the
# program's search setting by: ole32 for its shell32, msimg32 for its comctl32 as the
# notice is drawn. Windows' comctl32 does not import msimg32, and ole32 is one of the
# known DLLs that Windows never searches for.
DOWNLOADS='C:\Downloads'
PLANTED='comctl32 uxtheme shell32 shlwapi shcore'
WINE_OVERRIDES=$WINEDLLOVERRIDES
PREFER_PLANTED="$WINEDLLOVERRIDES;$(printf '%s' "$PLANTED" | tr ' ' ,)=n,b"
mkdir -p "$(host_path "$DOWNLOADS")"
cp "$E2E_TREE/DORVALIX.EXE" "$E2E_TREE/dorvalix-classify.exe" "$(host_path "$DOWNLOADS")/"
for name in $PLANTED; do cp "$E2E_TREE/planted.dll" "$(host_path "$DOWNLOADS")/$name.dll"; done
install_version 'PB/CC\2.00' 'C:\PBCC200\PBCC.EXE'
log=$(host_path 'C:\e2e\planted.log')
rm -f "$log"
write_source 'C:\src\a.bas' 'CLS'
start_wine

USAGE='No parameter is used. Please use:\r\rDORVALIX sourcecode.bas\r\ror doubleclick on any file with the .BAS extension'
TEMPORARY_NOTE='DORVALIX is running from a temporary copy (for instance inside a zip file), which Windows deletes again, so it has registered nothing.\rExtract or copy DORVALIX.EXE to a folder of its own first, then run it from there.'

# Started as Explorer starts it from inside the zip: from a copy below the user's
# temporary folder, here spelled in capitals; and on a source, from a copy below a
# temporary folder whose name the system gives in its short (8.3) spelling, as
# Windows does for a long user name. It registers nothing; its usage box says why
# and what to do, and the source gets its notice as ever.
temp=$(timeout 60 "$WINE" cmd /c echo %TEMP% | tr -d '\r')
zip_copy="$temp\\Temp1_dorvalix-1.0b.zip"
mkdir -p "$(host_path "$zip_copy")"
cp "$E2E_TREE/DORVALIX.EXE" "$(host_path "$zip_copy")/"
long_temp="$temp\\Long Temporary Folder"
mkdir -p "$(host_path "$long_temp")"
cp "$E2E_TREE/DORVALIX.EXE" "$(host_path "$long_temp")/"
drive temporary-copy <<EOF
timeout 15000
start "$(printf '%s' "$zip_copy" | tr a-z A-Z)\\DORVALIX.EXE"
wait-window Dorvalix
expect-text Dorvalix box "$USAGE\\r\\r$TEMPORARY_NOTE"
press Dorvalix 1
wait-exit 0
env TMP $(timeout 60 "$WINE" winepath -s "$long_temp" | tr -d '\r')
start "$long_temp\\DORVALIX.EXE" C:\src\a.bas
wait-window $NOTICE
press $NOTICE 201
wait-exit 0
EOF
for key in .bas .inc 'Dorvalix\shell\open\command'; do
    expect_classes_value "$key" ''
done

# The first start from the Downloads folder registers (so SHELL32 comes in) and shows
# the usage box as ever; a decided source is counted down to its end and the compiler
# started. (Wine reads the overrides from the environment its first program starts
# in, so the driver gets them too; it is not in the Downloads folder.)
export WINEDLLOVERRIDES="$PREFER_PLANTED"
drive planted-dlls <<EOF
timeout 15000
start "$DOWNLOADS\\DORVALIX.EXE"
wait-window Dorvalix
expect-text Dorvalix box "$USAGE"
press Dorvalix 1
wait-exit 0
env DORVALIX_STAND_IN_LOG C:\e2e\countdown.log
start "$DOWNLOADS\\DORVALIX.EXE" C:\src\a.bas
wait-window $NOTICE
wait-file C:\e2e\countdown.log 2500 6000
wait-exit 0
expect-line C:\e2e\countdown.log $(q 'command=C:\PBCC200\PBCC.EXE C:\src\a.bas')
EOF
export WINEDLLOVERRIDES="$WINE_OVERRIDES"
expect_classes_value 'Dorvalix\shell\open\command' "\"$DOWNLOADS\\DORVALIX.EXE\" \"%1\""

# dorvalix-classify.exe beside the same DLLs, on the registry and the source.
classify() {
    WINEDLLOVERRIDES=$PREFER_PLANTED timeout 60 "$WINE" "$DOWNLOADS\\dorvalix-classify.exe" "$@" | tr -d '\r'
}
classify --compilers | grep -qF 'installed: C:\PBCC200\PBCC.EXE' || fail "classify --compilers: $(classify --compilers)"
classify --dry-run 'C:\src\a.bas' | grep -qF 'DORVALIX starts: C:\PBCC200\PBCC.EXE C:\src\a.bas' ||
    fail "classify --dry-run: $(classify --dry-run 'C:\src\a.bas')"
say "dorvalix-classify.exe --compilers and --dry-run answered"

[ ! -e "$log" ] || fail "planted DLLs were loaded: $(tr '\n' ' ' <"$log")"
# The planted DLL does log a load: loaded by its path, it writes its line.
WINEDLLOVERRIDES=$PREFER_PLANTED timeout 60 "$WINE" regsvr32 /s "$DOWNLOADS\\uxtheme.dll" >/dev/null 2>&1 || true
grep -qi "^loaded $(escape "$DOWNLOADS")\\\\uxtheme.dll into .*regsvr32" "$log" || fail "the planted DLL logged no load of its own"
say "no planted DLL was loaded by DORVALIX.EXE or dorvalix-classify.exe"
