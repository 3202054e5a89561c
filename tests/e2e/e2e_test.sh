#!/usr/bin/env bash
# Runs the built program in a real X server under a window manager and uses it
# the way a person does: finds the window by its caption, types, reads the
# result by copying it, answers the reminder, and closes the window. The same
# test serves the Linux program and the Windows one under Wine.
# usage: e2e_test.sh COMMAND...   (e2e_test.sh build/app/dbmconv, or
#                                  e2e_test.sh wine64 build-windows-x64/app/dbmconv.exe)
set -uo pipefail

app=("$@")
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=x_session.sh
. "$here/x_session.sh"
# shellcheck source=../support/checks.sh
. "$here/../support/checks.sh"

require Xvfb openbox xdotool xclip xprop xwininfo


app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  x_session_stop
}
trap cleanup EXIT

# What the result box holds, as the user copies it: Tab selects it all and
# Ctrl+C copies it. The clipboard holds a marker first, and is read until the
# copy has replaced it, at most 10 s, however long a loaded machine takes.
# (xclip serves the marker from the background until the copy takes the
# clipboard: its output goes nowhere, so that reading this function's output
# does not wait for it.)
copied_result() {
  printf 'nothing copied' | xclip -selection clipboard >/dev/null 2>&1
  xdotool key --delay 50 Tab ctrl+c
  copied=""
  wait_until 10 clipboard_replaced
  echo "$copied"
}
clipboard_replaced() {
  copied=$(xclip -o -selection clipboard 2>/dev/null)
  [ -n "$copied" ] && [ "$copied" != "nothing copied" ]
}

# Waits until no message box is shown, at most 10 s; prints how many still are.
boxes_gone() {
  wait_until 10 no_box_shown
  echo "$shown_boxes"
}
no_box_shown() {
  shown_boxes=$(xdotool search --onlyvisible --name '^提示$' 2>/dev/null | wc -l)
  [ "$shown_boxes" -eq 0 ]
}

# Waits until WINDOW is the active window, at most 10 s, as a user waits for it
# before typing; prints yes or no. On a loaded machine the window manager may
# hand the focus back a moment after a message box has gone.
window_active() {
  if wait_until 10 is_active_window "$1"; then echo yes; else echo no; fi
}
is_active_window() {
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}

x_session_start 1024x768 || exit 1
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
"${app[@]}" >"$X_SESSION_DIR/app.log" 2>&1 &
app_pid=$!

window=$(x_wait_window "功率和dBm换算" 20) || { echo "FAIL: no window"; cat "$X_SESSION_DIR/app.log"; exit 1; }
echo "window $window"

# --- the frame: centred, fixed size, close only ---------------------------------
# Under Wine the program centres the frame Wine would draw, which the test's
# prefix fixes (DBMCONV_E2E_FRAME_EXTENTS); the window manager draws its own.
read -r fx fy fw fh <<<"$(x_frame_rect "$window" "${DBMCONV_E2E_FRAME_EXTENTS:-}")"
check "whole window centred horizontally" "$(( (2 * fx + fw - 1024) / 2 ))" 0
check "whole window centred vertically" "$(( (2 * fy + fh - 768) / 2 ))" 0
check "not maximized, however it was started" "$(xprop -id "$window" _NET_WM_STATE | grep -c MAXIMIZED)" 0
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
check "minimum size" "$(grep -c 'minimum size: 219 by 141' <<<"$hints")" 1
check "maximum size" "$(grep -c 'maximum size: 219 by 141' <<<"$hints")" 1
motif=$(xprop -id "$window" _MOTIF_WM_HINTS | sed 's/.*= *//; s/,//g')
read -r mflags mfunctions mdecorations _ <<<"$motif"
check "motif hints give functions and decorations" "$(( mflags & 3 ))" 3
check "no minimize or maximize function" "$(( mfunctions & (0x08 | 0x10) ))" 0
check "close function" "$(( mfunctions & 0x20 ))" 32
check "no minimize or maximize button" "$(( mdecorations & (0x20 | 0x40) ))" 0
allowed=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
check "window manager allows no resizing" "$(grep -c -E '_NET_WM_ACTION_(RESIZE|MAXIMIZE)' <<<"$allowed")" 0
check "window manager allows closing" "$(grep -c '_NET_WM_ACTION_CLOSE' <<<"$allowed")" 1
icons=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort -u | tr '\n' ' ')
check "16 and 32 pixel icons" "$(grep -c 'Icon (16 x 16).*Icon (32 x 32)' <<<"$icons")" 1

# --- a calculation typed by the user --------------------------------------------
xdotool windowactivate --sync "$window"
check "window active" "$(window_active "$window")" yes
xdotool key --delay 50 Tab
xdotool type --delay 50 "3x 3"
xdotool key --delay 50 Return
check "33 dBm, read from the result box" "$(copied_result)" "1.9953"

# --- an empty input: the reminder, then the focus is back in the input -----------
xdotool key --delay 50 shift+Tab End BackSpace BackSpace Return
reminder=$(x_wait_window "提示" 10) || reminder=""
check "reminder shown" "$([ -n "$reminder" ] && echo yes)" "yes"
if [ -n "$reminder" ]; then
  xdotool key --delay 50 Return
  check "reminder dismissed by Enter, no new one" "$(boxes_gone)" 0
  check "window active again after the reminder" "$(window_active "$window")" yes
fi
xdotool type --delay 50 "47"
xdotool key --delay 50 Return
check "47 dBm typed after the reminder" "$(copied_result)" "50.1187"

# --- a pick in the list with the Down key: now watts to dBm ----------------------
xdotool key --delay 50 shift+Tab shift+Tab Down Tab
xdotool type --delay 50 "2"
xdotool key --delay 50 Return
check "2 W after picking the second mode" "$(copied_result)" "33.0103"

# --- a power of zero: the warning, and the result stays --------------------------
xdotool key --delay 50 shift+Tab
xdotool type --delay 50 "0"
xdotool key --delay 50 Return
warning=$(x_wait_window "提示" 10) || warning=""
check "warning shown" "$([ -n "$warning" ] && echo yes)" "yes"
[ -n "$warning" ] && xdotool key --delay 50 Return
check "warning dismissed by Enter" "$(boxes_gone)" 0
check "window active again after the warning" "$(window_active "$window")" yes
check "the result kept after the warning" "$(copied_result)" "33.0103"

# --- closing the window ends the program with code 0 ----------------------------
xdotool windowactivate --sync "$window"
xdotool key alt+F4
wait_for_exit "$app_pid" 5
app_pid=""
check "exit code after closing" "$exit_code" 0

if [ "$failures" -gt 0 ]; then
  echo "program output:"
  cat "$X_SESSION_DIR/app.log" 2>/dev/null
  exit 1
fi
echo "all end-to-end checks passed"
