#!/usr/bin/env bash
# Starts the real program on a real X server, types into the flow box and ends it with
# "关  闭": the main window must appear with its caption and the program must exit with 0.
set -euo pipefail
program="$1"

if [[ -z "${DISPLAY_UNDER_TEST:-}" ]]; then
    # A random first display to try: xvfb-run -a alone starts at :99, and two servers started
    # at once there race for it and one program finds no display.
    # -noreset: the window search below is a client that comes and goes; when it leaves as the
    # only client while the program is still connecting, a resetting server drops the program's
    # half-made connection, and the program aborts with "could not connect to display". Under
    # load that window is wide enough to hit now and then.
    exec env DISPLAY_UNDER_TEST=1 xvfb-run -a -n "$((100 + RANDOM % 900))" \
        -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

window=""
for _ in $(seq 100); do
    window=$(xdotool search --name "^蒸汽流速计算$" 2>/dev/null | head -n1 || true)
    [[ -n "$window" ]] && break
    sleep 0.1
done
[[ -n "$window" ]] || { echo "main window did not appear"; exit 1; }

# Focus starts in the flow box: replace its "0" by 12.5 t/h.
xdotool key --window "$window" --delay 50 ctrl+a 1 2 period 5
sleep 0.3
# "关  闭" sits at 3360..6375 x 6120..6495 twips of the client area, 15 twips a pixel; the
# client area (441 pixels high) sits below the menu bar, whose height depends on the font.
height=$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^HEIGHT=//p')
xdotool mousemove --window "$window" 324 $((height - 441 + 420)) click 1

for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "program did not end on 关  闭"
    exit 1
fi
wait "$pid"
status=$?
trap - EXIT
echo "exit status $status"
exit "$status"
