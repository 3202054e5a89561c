# Helpers for driving the program in a real X server: a private Xvfb display
# with the openbox window manager, and the window's geometry as the user sees it.
# Sourced by the end-to-end test and by the screenshot script.

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
  local tries=0
  until [ -s "$X_SESSION_DIR/display" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 "$X_SESSION_XVFB" 2>/dev/null; then
      echo "Xvfb did not start:" >&2
      cat "$X_SESSION_DIR/xvfb.log" >&2
      return 1
    fi
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$X_SESSION_DIR/display")"
  [ "${2:-}" = bare ] && return 0
  # openbox keeps its state in the home folder; give it a private one
  HOME="$X_SESSION_DIR" openbox >"$X_SESSION_DIR/openbox.log" 2>&1 &
  X_SESSION_WM=$!
  tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then
      echo "openbox did not start" >&2
      return 1
    fi
    sleep 0.1
  done
}

x_session_stop() {
  [ -n "${X_SESSION_WM:-}" ] && kill "$X_SESSION_WM" 2>/dev/null || true
  [ -n "${X_SESSION_XVFB:-}" ] && kill "$X_SESSION_XVFB" 2>/dev/null || true
  wait 2>/dev/null || true
  [ -n "${X_SESSION_DIR:-}" ] && rm -rf "$X_SESSION_DIR"
}

x_wait_window() {
  # usage: x_wait_window TITLE [SECONDS]; prints the window id of the client window
  # (SECONDS at native speed: DBMCONV_WAIT_SCALE times as long under emulation)
  local title=$1 limit=$(( ${2:-20} * 10 * ${DBMCONV_WAIT_SCALE:-1} )) tries=0 id
  while [ $tries -lt $limit ]; do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ] && xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='; then
      echo "$id"
      return 0
    fi
    tries=$((tries + 1))
    sleep 0.1
  done
  return 1
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
