#!/usr/bin/env bash
# Takes docs/screenshot.png: the built program in a private Xvfb display under
# openbox, after a calculation typed as a user would.
# usage: scripts/screenshot.sh [SCALE]    (SCALE sets QT_SCALE_FACTOR, default 1)
#        scripts/screenshot.sh windows    (the Windows program under Wine:
#                                          docs/screenshot-windows.png)
set -euo pipefail
cd "$(dirname "$0")/.."
scale=${1:-1}
out=docs/screenshot.png

bash scripts/install-deps.sh screenshot
if [ "$scale" = windows ]; then
  out=docs/screenshot-windows.png
  exe=$(bash scripts/build-windows.sh | tail -n1)
  prefix=$(mktemp -d)
  bash tests/win32/wine_prefix.sh "$prefix" >/dev/null
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  program=(/usr/lib/wine/wine64 "$exe")
else
  [ "$scale" = 1 ] || out="docs/screenshot-${scale}x.png"
  cmake -S . -B build >/dev/null
  cmake --build build --parallel "$(nproc)" --target dbmconv
  export QT_SCALE_FACTOR=$scale
  program=(build/app/dbmconv)
fi

# shellcheck source=../tests/e2e/x_session.sh
. tests/e2e/x_session.sh
trap x_session_stop EXIT
x_session_start 1024x768
"${program[@]}" &
app=$!
window=$(x_wait_window "功率和dBm换算" 30)
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
