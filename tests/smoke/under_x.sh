#!/usr/bin/env bash
# Runs a program on an X server of its own: a random first display to try, since xvfb-run -a
# alone starts at :99 and two servers started at once there race for it; -noreset, so that a
# client leaving does not reset the server under the program.
set -euo pipefail
exec xvfb-run -a -n "$((100 + RANDOM % 900))" -s "-screen 0 1280x1024x24 -noreset" "$@"
