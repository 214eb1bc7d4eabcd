#!/usr/bin/env bash
# The Windows build under Wine, in a Wine prefix of its own: the replay corpus on the in-memory
# windows gives the committed logs byte for byte; steam-network's output for every example (the
# heat-loss ones too), IF97's figures and the heat loss's are Linux's to the bit; the test programs
# whose figures are exact pass, and the heat loss's own proofs; the installer installs silently
# with its start-menu entry, the installed program starts on an X server with its Chinese
# captions, recalculates at a keystroke and ends with status 0 on "关  闭", and the uninstaller
# leaves nothing behind. Exits with 77 (skipped) where Wine or the Windows build is missing.
# Usage: wine_smoke.sh <Windows build folder> <Linux build folder>
# SCREENSHOT=file.png keeps the main window as Wine showed it.
set -uo pipefail
windows=$1
linux=$2
source=$(cd "$(dirname "$0")/../.." && pwd)
skip() {
    echo "SKIP: $1"
    exit 77
}
command -v wine >/dev/null || skip "Wine is not installed (scripts/install-packages windows)"
stage=$(find "$windows/stage" -mindepth 1 -maxdepth 1 -type d -name 'steam-velocity-*' 2>/dev/null |
    head -n1)
setup=$(find "$windows/dist" -maxdepth 1 -name 'steam-velocity-*-setup.exe' 2>/dev/null | head -n1)
[[ -n $stage && -n $setup && -e $windows/tests/calc_tests.exe ]] ||
    skip "no Windows build in $windows (scripts/windows makes it)"

WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb=""
cleanup() {
    wineserver -k 2>/dev/null
    [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
wineboot -i >/dev/null 2>&1
failed=0
fail() {
    echo "FAIL $*"
    failed=1
}
# The test programs find Qt's and the compiler's DLLs in the staged folder, Qt's test library
# where the build found Qt.
qt_bin=$(sed -n 's|^Qt6_DIR:PATH=\(.*\)/lib/cmake/Qt6$|\1/bin|p' "$windows/CMakeCache.txt")
WINEPATH="$(winepath -w "$stage");$(winepath -w "$qt_bin")"
export WINEPATH

for script in "$source"/tools/replay/scripts/*.events; do
    cmp -s <(wine "$windows/tools/replay/replay.exe" <"$script") "${script%.events}.jsonl" ||
        fail "replay corpus: $(basename "$script") differs from its log"
done

same() { # what both programs print and their statuses, byte for byte
    local what=$1
    shift
    local linux_out windows_out
    linux_out=$("$linux/$@" 2>&1; echo "status $?")
    windows_out=$(wine "$windows/$1.exe" "${@:2}" 2>&1; echo "status $?")
    [[ $linux_out == "$windows_out" ]] && return
    fail "$what differs from Linux; the first lines that differ (Linux <, Windows >):"
    diff <(echo "$linux_out") <(echo "$windows_out") | grep '^[<>]' | head -n 6
}
# The examples of version 1 and those with heat loss, whose figures come from the integration.
examples=("$source"/docs/examples/*.json "$source"/docs/heat-loss-examples/*.json)
for example in "${examples[@]}"; do
    relative=$(realpath --relative-to=. "$example")
    same "steam-network calc $(basename "$example")" network/steam-network calc "$relative"
    same "steam-network calc --json $(basename "$example")" network/steam-network calc --json \
        "$relative"
done
# The sheet's exports, under a Chinese name: the CSV byte for byte, the workbook's cells read
# back by openpyxl; the PDF, drawn by the folder's steam-network-sheet.exe, with Linux's pages,
# fonts, all embedded, and text in drawing order. Windows draws in the faces as laid out, so
# that its text may read a radical where Linux's reads the ideograph drawn with the same glyph;
# only there may they differ.
sheets=$(mktemp -d)
for example in "${examples[@]}"; do
    export SOURCE_DATE_EPOCH=1765152000
    "$linux/network/steam-network" sheet "$example" --csv "$sheets/linux.csv" \
        --xlsx "$sheets/linux.xlsx" --pdf "$sheets/linux.pdf" >/dev/null 2>&1
    at=$(winepath -w "$sheets")
    wine "$stage/steam-network.exe" sheet "$example" --csv "$at\\计算书.csv" \
        --xlsx "$at\\计算书.xlsx" --pdf "$at\\计算书.pdf" >/dev/null 2>&1 ||
        fail "steam-network sheet $(basename "$example") under Wine"
    /usr/bin/python3 - "$sheets/linux.pdf" "$sheets/计算书.pdf" <<'PYTHON' ||
import re, subprocess, sys
def read(pdf):
    run = lambda *command: subprocess.run(command, capture_output=True, text=True).stdout
    fonts = {(re.sub(r"[^a-z0-9]", "", line.split()[0].split("+")[-1].lower()), line.split()[-5])
             for line in run("pdffonts", pdf).splitlines()[2:]}
    return fonts, re.findall(r"Pages:\s*(\d+)", run("pdfinfo", pdf)), run("pdftotext", "-raw", pdf, "-")
(fonts, pages, text), (windows_fonts, windows_pages, windows_text) = map(read, sys.argv[1:])
radical = lambda c: 0x2E80 <= ord(c) <= 0x2FDF
ideograph = lambda c: 0x4E00 <= ord(c) <= 0x9FFF
sys.exit(not text.strip() or fonts != windows_fonts or pages != windows_pages or
         any(embedded != "yes" for _, embedded in fonts) or len(text) != len(windows_text) or
         any(a != b and not (ideograph(a) and radical(b)) for a, b in zip(text, windows_text)))
PYTHON
        fail "the PDF sheet of $(basename "$example") differs from Linux's"
    cmp -s "$sheets/linux.csv" "$sheets/计算书.csv" ||
        fail "the CSV sheet of $(basename "$example") differs from Linux's"
    /usr/bin/python3 - "$sheets/linux.xlsx" "$sheets/计算书.xlsx" <<'PYTHON' ||
import openpyxl, sys
cells = [[(c.value, c.number_format, c.font.b) for ws in openpyxl.load_workbook(f).worksheets
          for row in ws.iter_rows() for c in row] for f in sys.argv[1:]]
sys.exit(cells[0] != cells[1] or not cells[0])
PYTHON
        fail "the xlsx sheet of $(basename "$example") differs from Linux's"
    rm -f "$sheets"/*
done
rm -rf "$sheets"
same "steam-network pipes" network/steam-network pipes
same "steam-network --help" network/steam-network --help
same "IF97's figures" tests/if97_values
same "the heat loss's figures" tests/heat_values

# The suites whose expected values are exact figures.
for program in calc_tests steam_tests network_cli_tests windows_tests sheet_tests; do
    wine "$windows/tests/$program.exe" --gtest_brief=1 >/tmp/wine-suite.$$ 2>&1 ||
        { fail "$program under Wine"; tail -n 20 /tmp/wine-suite.$$; }
done
# The heat loss's proofs against figures worked apart (a published example, the standard's
# tables, fine marches, balances): the Windows build's integration meets them on its own.
wine "$windows/tests/network_tests.exe" --gtest_brief=1 \
    --gtest_filter='HeatLoss.*:HeatLine.*:HeatSolver.*' >/tmp/wine-suite.$$ 2>&1 ||
    { fail "network_tests' heat loss under Wine"; tail -n 20 /tmp/wine-suite.$$; }
rm -f /tmp/wine-suite.$$

# The installer, silently, per user.
wine "$setup" /S
wineserver -w
folder() { winepath -u "$(wine cmd /c "echo %$1%" | tr -d '\r')"; }
installed=$(folder LOCALAPPDATA)/Programs/steam-velocity
entry="$(folder APPDATA)/Microsoft/Windows/Start Menu/Programs/蒸汽流速计算.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\steam-velocity'
[[ -x $installed/steam-velocity.exe && -e $installed/uninstall.exe ]] ||
    fail "the installer did not install into $installed"
[[ -e $entry ]] || fail "no start-menu entry"
wine reg query "$key" >/dev/null 2>&1 || fail "no uninstall entry in the registry"

# The installed program on an X server.
display=$((100 + RANDOM % 900))
Xvfb ":$display" -screen 0 1024x768x24 -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$display
sleep 1
wine "$installed/steam-velocity.exe" &
program=$!
window=""
for _ in $(seq 300); do
    window=$(xdotool search --name "^蒸汽流速计算$" 2>/dev/null | head -n1)
    [[ -n $window ]] && break
    sleep 0.2
done
if [[ -z $window ]]; then
    fail "the main window did not appear"
    kill "$program" 2>/dev/null
else
    sleep 2
    before=$(import -window root rgb:- | md5sum)
    # Focus starts in the flow box: 12.5 t/h gives a velocity and a pressure drop.
    xdotool key --window "$window" --delay 80 ctrl+a 1 2 period 5 2>/dev/null
    sleep 1
    import -window "$window" "${SCREENSHOT:-$WINEPREFIX/main-window.png}"
    [[ $(import -window root rgb:- | md5sum) != "$before" ]] || fail "a keystroke changed nothing"
    # "关  闭" as in tests/smoke/xvfb_smoke.sh: 3360..6375 x 6120..6495 twips of the client area.
    height=$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^HEIGHT=//p')
    xdotool mousemove --window "$window" 324 $((height - 441 + 420)) click 1
    for _ in $(seq 100); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program" 2>/dev/null; then
        fail "the program did not end on 关  闭"
        kill "$program"
    fi
    wait "$program"
    status=$?
    [[ $status -eq 0 ]] || fail "the program ended with status $status"
fi

# The uninstaller, silently: nothing of the program stays.
wine "$installed/uninstall.exe" /S
wineserver -w
[[ ! -e $installed ]] || fail "the uninstaller left $(find "$installed" | head -n 3)"
[[ ! -e $entry ]] || fail "the uninstaller left the start-menu entry"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left its registry entry"

[[ $failed -eq 0 ]] && echo "Windows build: all checks passed under Wine"
exit "$failed"
