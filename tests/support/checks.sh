# Helpers shared by the shell tests. Sourced, not run.

# check DESCRIPTION ACTUAL EXPECTED: prints ok or FAIL, and counts the failures.
failures=0
check() {
  if [ "$2" = "$3" ]; then
    echo "ok: $1"
  else
    echo "FAIL: $1: got [$2], expected [$3]"
    failures=$((failures + 1))
  fi
}

# require TOOL...: a test that lacks one of these commands is skipped, saying which.
require() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

# require_that WHAT COMMAND...: skipped, saying WHAT is not installed, unless COMMAND succeeds.
require_that() {
  local what=$1
  shift
  "$@" >/dev/null 2>&1 || { echo "SKIP: $what is not installed"; exit 77; }
}

# wait_until SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds, for
# at most SECONDS, and fails if it never does. A machine slower than a native
# one (an emulated processor) stretches every wait by DBMCONV_WAIT_SCALE.
wait_until() {
  local tries=0 limit
  limit=$(awk -v seconds="$1" -v scale="${DBMCONV_WAIT_SCALE:-1}" 'BEGIN { printf "%d", seconds * scale * 10 }')
  shift
  until "$@"; do
    tries=$((tries + 1))
    [ "$tries" -lt "$limit" ] || return 1
    sleep 0.1
  done
}

# wait_for_exit PID [SECONDS]: waits for a child process to end, at most
# SECONDS (default 5), and sets exit_code to its exit status, or to "timeout".
wait_for_exit() {
  exit_code=timeout
  if wait_until "${2:-5}" eval "! kill -0 $1 2>/dev/null"; then
    wait "$1"
    exit_code=$?
  fi
}
