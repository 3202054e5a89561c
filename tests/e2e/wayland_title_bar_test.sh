#!/usr/bin/env bash
# The program's own title bar on Wayland, as GNOME's session has it: a weston
# that draws no frames, nested in Xvfb so that xdotool can press its buttons.
# Maximize, double-clicking the title and minimize must leave the program
# running at its client size with both boxes' text; close ends it with code 0.
# The boxes are read over AT-SPI, the window's size from the protocol traffic.
# usage: wayland_title_bar_test.sh PATH-TO-dbmconv
set -uo pipefail
app=$1
here=$(cd "$(dirname "$0")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher
# shellcheck source=../support/checks.sh
. "$here/../support/checks.sh"
# shellcheck source=wayland_log.sh
. "$here/wayland_log.sh"

require weston Xvfb xdotool dbus-run-session "$launcher"
require_that "Qt's Wayland platform (qt6-wayland)" compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so"
require_that "python3-gi with Atspi 2.0" /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")'
if [ -z "${DBMCONV_ON_PRIVATE_BUS:-}" ]; then
  DBMCONV_ON_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$app"
fi

# shellcheck source=x_session.sh
. "$here/x_session.sh"
export LC_ALL=C.UTF-8
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
weston_pid="" app_pid="" launcher_pid=""
cleanup() {
  for pid in $app_pid $weston_pid $launcher_pid; do kill -9 "$pid" 2>/dev/null; done
  x_session_stop
  rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT
x_session_start 1024x768 bare || exit 1
"$launcher" --launch-immediately >/dev/null 2>&1 &
launcher_pid=$!

# No screen keyboard: it would cover the window. An output only a little larger
# than the window puts a known point inside it wherever weston places it.
printf '[core]\nidle-time=0\n[input-method]\npath=/bin/true\n' >"$XDG_RUNTIME_DIR/weston.ini"
weston --config="$XDG_RUNTIME_DIR/weston.ini" --backend=x11-backend.so --socket=dbmconv-test \
  --width=300 --height=260 >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
weston_pid=$!
wait_until 10 test -S "$XDG_RUNTIME_DIR/dbmconv-test" ||
  { echo "FAIL: weston did not start"; cat "$XDG_RUNTIME_DIR/weston.log"; exit 1; }
inside_x=150 inside_y=150

log=$XDG_RUNTIME_DIR/protocol.log
# start_app DECORATION: a fresh program drawing its title bar with that plugin.
start_app() {
  [ -n "$app_pid" ] && { kill -9 "$app_pid"; wait "$app_pid" 2>/dev/null; }
  env -u DISPLAY -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR -u XDG_CURRENT_DESKTOP WAYLAND_DISPLAY=dbmconv-test \
    QT_WAYLAND_DECORATION="$1" WAYLAND_DEBUG=client QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$app" >"$log" 2>&1 &
  app_pid=$!
  wait_until 10 window_mapped "$log"
  sleep 0.5
  designed=$(window_geometry)
  read -r left top width _ <<<"$designed"
}
# The window as the compositor is told it (x y width height in the surface):
# the last window geometry.
window_geometry() {
  grep -o 'xdg_surface[@#][0-9]*\.set_window_geometry([^)]*)' "$log" | tail -n1 | sed 's/.*(\(.*\))/\1/' | tr -d ,
}
# Where the window is: the pointer moved onto the known point is reported in
# the surface's own coordinates.
locate_window() {
  local entered x y
  xdotool mousemove 1 1 sleep 0.2 mousemove "$inside_x" "$inside_y" sleep 0.5
  entered=$(grep -o 'wl_pointer[@#][0-9]*\.enter([^)]*)' "$log" | tail -n1 | sed 's/.*(\(.*\))/\1/')
  x=$(awk -F', ' '{printf "%d", $3}' <<<"$entered")
  y=$(awk -F', ' '{printf "%d", $4}' <<<"$entered")
  surface_x=$((inside_x - x)) surface_y=$((inside_y - y))
}
boxes() {
  /usr/bin/python3 - <<'PY'
import sys
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi
desktop = Atspi.get_desktop(0)
for i in range(desktop.get_child_count()):
    app = desktop.get_child_at_index(i)
    if app is not None and app.get_name() == "dbmconv":
        frame = app.get_child_at_index(0)
        texts = [frame.get_child_at_index(n) for n in (2, 1)]
        print("|".join(Atspi.Text.get_text(t, 0, -1) for t in texts))
        sys.exit(0)
print("no window on the accessibility bus")
PY
}
# press DECORATION "NAME:X:Y:CLICKS"...: a calculation typed, then each title-bar
# action at X, Y of the window geometry (X negative: from its right edge;
# "middle": half its width); the program must come through each.
press() {
  local decoration=$1 action name x y clicks before
  shift
  start_app "$decoration"
  locate_window
  # X gives the keys to the window under the pointer: weston's, which passes
  # them to the focused client.
  xdotool key Tab type 10
  xdotool key Return
  sleep 0.5
  before=$(boxes)
  check "$decoration: a result to keep" "$(cut -d'|' -f1 <<<"$before")|$( [ -n "$(cut -d'|' -f2 <<<"$before")" ] && echo shown)" "10|shown"
  for action in "$@"; do
    IFS=: read -r name x y clicks <<<"$action"
    case $x in middle) x=$((width / 2)) ;; -*) x=$((width + x)) ;; esac
    locate_window
    xdotool mousemove $((surface_x + left + x)) $((surface_y + top + y)) click --repeat "$clicks" --delay 120 1
    sleep 1.5
    check "$decoration: running after $name" "$(kill -0 "$app_pid" 2>/dev/null && echo yes)" yes
    check "$decoration: client size after $name" "$(window_geometry)" "$designed"
    check "$decoration: both boxes' text after $name" "$(boxes)" "$before"
  done
  check "$decoration: maximize asked of the compositor" "$(grep -c 'xdg_toplevel[@#][0-9]*\.set_maximized' "$log" | sed 's/^[1-9][0-9]*$/yes/')" yes
  check "$decoration: no fatal Wayland error" "$(grep -c -i 'fatal error' "$log")" 0
}

# Bradient, the decoration Qt draws outside GNOME: a 30 px title bar with 18 px
# buttons 5 px apart, 8 px from the right edge.
press bradient "maximize:-40:15:1" "title double-click:middle:15:2" "maximize again:-40:15:1" \
  "minimize:-63:15:1"
# Minimized windows have no way back in weston's shell; the close button is
# pressed on a fresh window.
start_app bradient
locate_window
xdotool mousemove $((surface_x + left + width - 17)) $((surface_y + top + 15)) click 1
wait_for_exit "$app_pid" 5
app_pid=""
check "bradient: exit code after the close button" "$exit_code" 0

# Adwaita, Qt's decoration for GNOME from 6.8 on: its buttons come from the
# desktop's settings (none here), and a double-click on its 38 px title bar
# maximizes.
if compgen -G "/usr/lib/*/qt6/plugins/wayland-decoration-client/libadwaita.so" >/dev/null; then
  press adwaita "title double-click:middle:19:2"
fi

if [ "$failures" -gt 0 ]; then
  grep -v '^\[' "$log" | head -20
  exit 1
fi
echo "all title-bar checks passed"
