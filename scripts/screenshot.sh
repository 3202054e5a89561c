#!/usr/bin/env bash
# Takes docs/screenshot.png: the built program in a private Xvfb display under
# openbox, after a calculation typed as a user would.
# usage: scripts/screenshot.sh [SCALE]   (SCALE sets QT_SCALE_FACTOR, default 1)
set -euo pipefail
cd "$(dirname "$0")/.."
scale=${1:-1}
out=docs/screenshot.png
[ "$scale" = 1 ] || out="docs/screenshot-${scale}x.png"

bash scripts/install-deps.sh screenshot
cmake -S . -B build >/dev/null
cmake --build build --parallel "$(nproc)" --target dbmconv

# shellcheck source=../tests/e2e/x_session.sh
. tests/e2e/x_session.sh
trap x_session_stop EXIT
x_session_start 1024x768
QT_SCALE_FACTOR=$scale build/app/dbmconv &
app=$!
window=$(x_wait_window "功率和dBm换算" 20)
xdotool windowactivate --sync "$window"
sleep 0.3
xdotool key --delay 80 Tab
xdotool type --delay 80 "33"
xdotool key --delay 80 Return
sleep 0.5
read -r x y w h <<<"$(x_frame_rect "$window")"
mkdir -p docs
import -window root -crop "$((w + 16))x$((h + 16))+$((x - 8))+$((y - 8))" +repage "$out"
kill "$app"
echo "wrote $out"
