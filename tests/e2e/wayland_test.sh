#!/usr/bin/env bash
# The program in a Wayland-only session: a headless weston, no X display. The
# protocol traffic (WAYLAND_DEBUG) shows the window created with its caption and
# the desktop entry's app id, and mapped; asked to end, the program closes its
# window and exits with code 0.
# usage: wayland_test.sh PATH-TO-dbmconv
set -uo pipefail
app=$1
app_id=org.dbmconv.dbmconv
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/checks.sh
. "$here/../support/checks.sh"
# shellcheck source=wayland_log.sh
. "$here/wayland_log.sh"

require weston
require_that "Qt's Wayland platform (qt6-wayland)" compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so"

export LC_ALL=C.UTF-8
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
socket=dbmconv-test
weston_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill -9 "$app_pid" 2>/dev/null
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT


weston --backend=headless-backend.so --socket="$socket" --idle-time=0 \
  >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
weston_pid=$!
wait_until 10 test -S "$XDG_RUNTIME_DIR/$socket" ||
  { echo "FAIL: weston did not start"; cat "$XDG_RUNTIME_DIR/weston.log"; exit 1; }

log=$XDG_RUNTIME_DIR/protocol.log
# Each Qt message is written with its type and category, so that the program's
# own warnings (the default category) are told apart from the platform's and
# the libraries', whose wording and number change from release to release.
env -u DISPLAY -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR -u XDG_SESSION_TYPE WAYLAND_DISPLAY="$socket" \
  WAYLAND_DEBUG=client QT_MESSAGE_PATTERN='qt-message %{type} %{category}: %{message}' "$app" >"$log" 2>&1 &
app_pid=$!

wait_until 10 window_mapped "$log"
check "the window's caption" "$(grep -o 'xdg_toplevel[@#][0-9]*\.set_title("[^"]*")' "$log" | tail -n1 | sed 's/.*("\(.*\)")/\1/')" "功率和dBm换算"
check "the desktop entry's app id" "$(grep -o 'xdg_toplevel[@#][0-9]*\.set_app_id("[^"]*")' "$log" | tail -n1 | sed 's/.*("\(.*\)")/\1/')" "$app_id"
check "configured by the compositor" "$(grep -c 'xdg_surface[@#][0-9]*\.ack_configure' "$log" | sed 's/^[1-9][0-9]*$/yes/')" yes
check "a frame drawn into a buffer" "$(grep -c 'wl_surface[@#][0-9]*\.attach' "$log" | sed 's/^[1-9][0-9]*$/yes/')" yes

kill -TERM "$app_pid"
wait_for_exit "$app_pid" 5
app_pid=""
check "exit code after being asked to end" "$exit_code" 0
check "the window destroyed before the end" "$(grep -c 'xdg_toplevel[@#][0-9]*\.destroy' "$log" | sed 's/^[1-9][0-9]*$/yes/')" yes
check "no warning of the program's own" "$(grep -c -E '^qt-message (warning|critical|fatal) default:' "$log")" 0
check "no critical or fatal message from Qt" "$(grep -c -E '^qt-message (critical|fatal) ' "$log")" 0
others=$(grep -v -E -e '^\[' -e '^qt-message (debug|info) ' "$log" | grep -v -E '^qt-message (warning|critical|fatal) default:')
[ -z "$others" ] || { echo "said by Qt's platform and the libraries (not checked):"; head -n 5 <<<"$others"; }

if [ "$failures" -gt 0 ]; then
  grep -v '^\[' "$log" | head -20
  exit 1
fi
echo "all Wayland checks passed"
