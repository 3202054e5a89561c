# Helpers for driving the program in a real X server: a private Xvfb display
# with the openbox window manager, and the window's geometry as the user sees it.
# Sourced by the end-to-end test and by the screenshot script.
# shellcheck source=../support/checks.sh
. "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"

x_session_start() {
  # usage: x_session_start WIDTHxHEIGHT [bare]; sets DISPLAY and X_SESSION_DIR.
  # "bare" leaves out the window manager.
  # xdotool and xclip need a UTF-8 locale to match and read Chinese texts; a
  # bare environment has none, so one is set that every Debian system has.
  export LC_ALL=C.UTF-8
  X_SESSION_DIR=$(mktemp -d)
  local screen=${1:-1024x768}
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset \
    3>"$X_SESSION_DIR/display" >"$X_SESSION_DIR/xvfb.log" 2>&1 &
  X_SESSION_XVFB=$!
  if ! wait_until 10 eval '[ -s "$X_SESSION_DIR/display" ] || ! kill -0 "$X_SESSION_XVFB" 2>/dev/null' ||
    [ ! -s "$X_SESSION_DIR/display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$X_SESSION_DIR/xvfb.log" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$X_SESSION_DIR/display")"
  [ "${2:-}" = bare ] && return 0
  # openbox keeps its state in the home folder; give it a private one
  HOME="$X_SESSION_DIR" openbox >"$X_SESSION_DIR/openbox.log" 2>&1 &
  X_SESSION_WM=$!
  if ! wait_until 10 eval "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'"; then
    echo "openbox did not start" >&2
    return 1
  fi
}

x_session_stop() {
  [ -n "${X_SESSION_WM:-}" ] && kill "$X_SESSION_WM" 2>/dev/null || true
  [ -n "${X_SESSION_XVFB:-}" ] && kill "$X_SESSION_XVFB" 2>/dev/null || true
  wait 2>/dev/null || true
  [ -n "${X_SESSION_DIR:-}" ] && rm -rf "$X_SESSION_DIR"
}

x_wait_window() {
  # usage: x_wait_window TITLE [SECONDS]; prints the window id of the client window
  x_window_title=$1
  wait_until "${2:-20}" x_window_framed && echo "$x_window_id"
}
x_window_framed() {
  x_window_id=$(xdotool search --onlyvisible --name "^${x_window_title}\$" 2>/dev/null | head -n1 || true)
  [ -n "$x_window_id" ] && xprop -id "$x_window_id" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='
}

x_frame_rect() {
  # usage: x_frame_rect WINDOW-ID [EXTENTS]; prints "X Y WIDTH HEIGHT" of the
  # window with its frame: the window manager's frame, or the one given as
  # "LEFT RIGHT TOP BOTTOM" (Wine's own, which its programs measure themselves by)
  local id=$1 info x y w h extents l r t b
  info=$(xwininfo -id "$id")
  x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
  y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
  w=$(awk '/^ *Width:/ {print $NF}' <<<"$info")
  h=$(awk '/^ *Height:/ {print $NF}' <<<"$info")
  extents=${2:-$(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= *//; s/,//g')}
  read -r l r t b <<<"$extents"
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}
