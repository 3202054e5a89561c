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

# wait_for_exit PID [SECONDS]: waits for a child process to end, at most
# SECONDS (default 5; DBMCONV_WAIT_SCALE times as long under emulation), and
# sets exit_code to its exit status, or to "timeout".
wait_for_exit() {
  local pid=$1 tries=$(( ${2:-5} * 10 * ${DBMCONV_WAIT_SCALE:-1} ))
  exit_code=timeout
  while [ "$tries" -gt 0 ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      exit_code=$?
      return 0
    fi
    tries=$((tries - 1))
    sleep 0.1
  done
}
