#!/usr/bin/env bash
# Starts a program under a virtual display of an office's laptop (1366x768,
# or SCREENSHOT_SIZE), with a window manager that frames and places its
# windows, and saves a screenshot of the screen after a moment:
#   scripts/screenshot.sh OUT.png SECONDS PROGRAM [ARGS...]
set -euo pipefail
out=$1; wait_seconds=$2; shift 2
export DISPLAY=:${SCREENSHOT_DISPLAY:-97}
Xvfb "$DISPLAY" -screen 0 "${SCREENSHOT_SIZE:-1366x768}x24" >/dev/null 2>&1 &
xvfb=$!
sleep 1
openbox >/dev/null 2>&1 &
manager=$!
trap 'kill $manager $xvfb 2>/dev/null || true' EXIT
sleep 1
"$@" &
program=$!
sleep "$wait_seconds"
import -window root "$out"
kill $program 2>/dev/null || true
