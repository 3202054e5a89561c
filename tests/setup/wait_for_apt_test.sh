#!/usr/bin/env bash
# The wait for apt's lock, against a lock another process really holds (on a
# file of the test's own, not apt's): it waits while the lock is held and says
# for whom, goes on when it is freed, and gives up after its limit.
# usage: wait_for_apt_test.sh PATH-TO-wait-for-apt.sh
set -uo pipefail
waiter=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/checks.sh
. "$here/../support/checks.sh"
dir=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$dir"' EXIT

# hold SECONDS: a lock of the kind apt takes (fcntl), held for SECONDS
hold() {
  rm -f "$dir/taken"
  /usr/bin/python3 -c 'import fcntl, sys, time
f = open(sys.argv[1], "w"); fcntl.lockf(f, fcntl.LOCK_EX); open(sys.argv[2], "w").close()
time.sleep(float(sys.argv[3]))' "$dir/lock" "$dir/taken" "$1" &
  while [ ! -e "$dir/taken" ]; do sleep 0.05; done
}

# held for (s) | limit (s) | exit | said
rows=(
  "0|5|0|"
  "2|20|0|Waiting for python3"
  "30|1|1|still in use by python3"
)
for row in "${rows[@]}"; do
  IFS='|' read -r held limit want_exit want_said <<<"$row"
  : >"$dir/lock"
  [ "$held" -gt 0 ] && hold "$held"
  start=$SECONDS
  bash "$waiter" "$limit" "$dir/lock" 2>"$dir/said"
  got_exit=$?
  took=$((SECONDS - start))
  check "held $held s, limit $limit s: exit" "$got_exit" "$want_exit"
  if [ -n "$want_said" ]; then
    check "held $held s, limit $limit s: says who" "$(grep -c "$want_said (process [0-9]*)" "$dir/said")" 1
  else
    check "held $held s, limit $limit s: says nothing" "$(cat "$dir/said")" ""
  fi
  # gone on once free (not before), or given up at the limit
  expected_took=$(( held < limit ? held : limit ))
  check "held $held s, limit $limit s: waited about $expected_took s" \
    "$(( took >= expected_took - 1 && took <= expected_took + 2 ))" 1
  kill $(jobs -p) 2>/dev/null
  wait 2>/dev/null
done
[ "$failures" -eq 0 ] || exit 1
echo "all checks of the wait for apt passed"
