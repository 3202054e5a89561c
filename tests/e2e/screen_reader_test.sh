#!/usr/bin/env bash
# What a screen reader hears, before and after a pick in the mode list: the
# program runs in Xvfb under openbox on a private session bus with the
# accessibility bus, and a real AT-SPI client reads its tree.
# usage: screen_reader_test.sh PATH-TO-dbmconv
set -uo pipefail
app=$1
here=$(cd "$(dirname "$0")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher

# shellcheck source=../support/checks.sh
. "$here/../support/checks.sh"
require Xvfb openbox xdotool dbus-run-session "$launcher"
require_that "python3-gi with Atspi 2.0" /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")'

# shellcheck source=x_session.sh
. "$here/x_session.sh"
if [ -z "${DBMCONV_ON_PRIVATE_BUS:-}" ]; then
  trap x_session_stop EXIT
  x_session_start 1024x768 || exit 1
  DBMCONV_ON_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$app"
  exit $?
fi

"$launcher" --launch-immediately >/dev/null 2>&1 &
launcher_pid=$!
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
# Qt bridges to AT-SPI when a screen reader asks for it; here the test asks.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$app" >"$XDG_RUNTIME_DIR/app.log" 2>&1 &
app_pid=$!
trap 'kill $app_pid $launcher_pid 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT

status=0
window=$(x_wait_window "功率和dBm换算" 20) || { echo "FAIL: no window"; exit 1; }
echo "--- at start"
/usr/bin/python3 "$here/screen_reader.py" "dBm:" "功率(W)：" || status=1
echo "--- after picking the second mode with the Down key"
xdotool windowactivate --sync "$window"
xdotool key --delay 100 Down
sleep 0.5
/usr/bin/python3 "$here/screen_reader.py" "功率(W):" "dBm或dB：" || status=1
exit $status
