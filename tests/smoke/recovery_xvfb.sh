#!/usr/bin/env bash
# Kills the real program with SIGKILL a few seconds after an edit of a network, starts it again
# and restores the network it offers: the recovery copy must hold the edit before the kill, the
# offer must come at the next start, and 恢复 must give the edited network, unsaved, whose copy
# the restored document then writes again. The user's folders are a scratch folder's.
# Usage: recovery_xvfb.sh <steam-velocity> [screenshot of the offer]
set -euo pipefail
program="$1"
shot="${2:-}"

if [[ -z "${DISPLAY_UNDER_TEST:-}" ]]; then
    # As xvfb_smoke.sh starts its server, for the same reasons.
    exec env DISPLAY_UNDER_TEST=1 xvfb-run -a -n "$((100 + RANDOM % 900))" \
        -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi

scratch=$(mktemp -d)
pid=""
cleanup() {
    [[ -n "$pid" ]] && kill -KILL "$pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
export HOME="$scratch" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
copy="$XDG_DATA_HOME/steam-velocity/steam-velocity/network-recovery.json"

# The first window whose name matches, within ten seconds.
window() {
    local found=""
    for _ in $(seq 100); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
        [[ -n "$found" ]] && break
        sleep 0.1
    done
    [[ -n "$found" ]] || { echo "no window named $1" >&2; return 1; }
    echo "$found"
}
# Keys to a window given the focus, as the user's typing reaches it.
keys() {
    local target="$1"
    shift
    xdotool windowfocus --sync "$target"
    xdotool key --delay 80 "$@"
}
# A field of the recovery copy, by Python's own JSON reader.
field() {
    python3 -c 'import json, sys; print(eval("c" + sys.argv[2], {"c": json.load(open(sys.argv[1]))}))' \
        "$copy" "$1"
}
fail() {
    echo "FAIL: $*"
    exit 1
}

"$program" &
pid=$!
main=$(window '^蒸汽流速计算$')
# 工具 → 蒸汽管网水力计算 by its keys.
keys "$main" alt+t
sleep 0.5
xdotool key n
network=$(window '^蒸汽管网水力计算 - 未命名$')
# The grid has the focus; Tab reaches 添加, and Space adds the first segment.
keys "$network" Tab space
window '^蒸汽管网水力计算 - 未命名\*$' >/dev/null || fail "the edit left no unsaved mark"
for _ in $(seq 100); do
    [[ -f "$copy" ]] && break
    sleep 0.1
done
[[ -f "$copy" ]] || fail "no recovery copy ten seconds after the edit"
[[ "$(field '["texts"]["segments"][0][1:3]')" == "['S', '1']" ]] ||
    fail "the copy does not hold the added segment: $(cat "$copy")"
[[ "$(field '["file"]')" == "None" ]] || fail "an unnamed network's copy names a file"
written=$(field '["time"]')

kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
pid=""
[[ -f "$copy" ]] || fail "the copy did not outlive the killed program"
sleep 1.1 # the next copy's time is a later second

"$program" &
pid=$!
# The offer, over the main window, before anything else is done.
offer=$(window '^蒸汽管网水力计算$') || fail "no offer at the next start"
sleep 0.5
[[ -n "$shot" ]] && import -window root "$shot"
keys "$offer" Return # 恢复, the default button
window '^蒸汽管网水力计算 - 未命名\*$' >/dev/null ||
    fail "恢复 did not open the network unsaved"
# The restored document is the one kept again, a few seconds later, with the segment it got.
for _ in $(seq 100); do
    [[ "$(field '["time"]')" != "$written" ]] && break
    sleep 0.1
done
[[ "$(field '["time"]')" != "$written" ]] || fail "the restored network was not kept again"
[[ "$(field '["texts"]["segments"][0][1:3]')" == "['S', '1']" ]] ||
    fail "the restored network lost the segment: $(cat "$copy")"
echo "restored: $(field '["texts"]["segments"]'), copied at $(field '["time"]')"
