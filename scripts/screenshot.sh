#!/usr/bin/env bash
# Starts a program under a virtual display and saves a screenshot of the
# screen after a moment: scripts/screenshot.sh OUT.png SECONDS PROGRAM [ARGS...]
set -euo pipefail
out=$1; wait_seconds=$2; shift 2
export DISPLAY=:${SCREENSHOT_DISPLAY:-97}
Xvfb "$DISPLAY" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
"$@" &
program=$!
sleep "$wait_seconds"
import -window root "$out"
kill $program 2>/dev/null || true
