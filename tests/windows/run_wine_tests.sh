#!/usr/bin/env bash
# Runs the launcher's Windows test program under Wine, in a throw-away Wine
# prefix, against registry values written here with "wine reg".
set -euo pipefail
exe="$(realpath "$1")"

export WINEPREFIX="$(mktemp -d /tmp/tarvilo-wine-XXXXXX)"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
trap 'echo "run_wine_tests.sh: line $LINENO failed: $BASH_COMMAND" >&2' ERR

# One server for the whole script: without it every wine command may start
# its own and race the previous one's shutdown.
wineserver -p

# Wine's own tools now and then fail once on a busy machine; a second try
# tells that apart from a real fault.
twice() { "$@" || { echo "retrying: $*" >&2; sleep 1; "$@"; }; }
reg() { twice wine reg "$@" >/dev/null; }
test_key='HKLM\SOFTWARE\TarviloTest'
msinfo_key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
location_key='HKLM\SOFTWARE\Microsoft\Shared Tools Location'
windows_path="$(twice winepath -w "$exe" 2>/dev/null)"

# Test values: a text with its terminator (as reg add stores it), the same
# without one (only a .reg import can store that), 1024 and 1025 bytes, a
# number, an empty value.
reg add "$test_key" /v WithNul /t REG_SZ /d 'C:\Tools\prog.exe' /f
reg add "$test_key" /v Fills1024 /t REG_SZ /d "$(printf 'p%.0s' $(seq 1023))" /f
reg add "$test_key" /v TooLong1025 /t REG_SZ /d "$(printf 'p%.0s' $(seq 1024))" /f
reg add "$test_key" /v Number /t REG_DWORD /d 298 /f
without_nul="$(printf 'C:\\Tools\\prog.exe' | od -An -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//')"
import_file="$WINEPREFIX/drive_c/import.reg"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\TarviloTest]\r\n"WithoutNul"=hex(1):%s\r\n"Empty"=hex(1):\r\n' \
    "$without_nul" > "$import_file"
reg import 'C:\import.reg'

failed=0
run() {
    local scenario=$1
    export TARVILO_MARKER="$WINEPREFIX/drive_c/started-$scenario-$RANDOM"
    TARVILO_MARKER="$(twice winepath -w "$TARVILO_MARKER" 2>/dev/null)"
    if wine "$exe" "$scenario"; then :; else failed=1; fi
}

run values

# Lookup 1 present: its path is started.
reg add "$msinfo_key" /v PATH /t REG_SZ /d "$windows_path" /f
run started
# Lookup 1 naming a program that does not exist: the message.
reg add "$msinfo_key" /v PATH /t REG_SZ /d 'C:\nowhere\missing.exe' /f
run message
# Lookup 1 absent, lookup 2's folder without MSINFO32.EXE: the message.
reg delete "$msinfo_key" /f
mkdir -p "$WINEPREFIX/drive_c/msinfo tools"
reg add "$location_key" /v MSINFO /t REG_SZ /d 'C:\msinfo tools' /f
run message
# ... and with it: the program in that folder is started.
cp "$exe" "$WINEPREFIX/drive_c/msinfo tools/MSINFO32.EXE"
run started
# Both absent: the message.
reg delete "$location_key" /f
run message

if [ "$failed" -ne 0 ]; then
    echo "Wine launcher tests failed"
    exit 1
fi
echo "Wine launcher tests passed"
