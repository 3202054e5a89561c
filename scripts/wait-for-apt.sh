#!/usr/bin/env bash
# Waits, for a bounded time, while another program holds apt's or dpkg's lock:
# on a desktop a package updater (PackageKit, unattended-upgrades) often does
# for minutes right after login, and apt-get would stop at once.
# usage: scripts/wait-for-apt.sh [SECONDS [LOCK-FILE...]]   (default 600 s, apt's locks)
# Exit 0 when no lock is held, 1 when one still is after SECONDS.
set -euo pipefail
limit=${1:-600}
shift || true
locks=("$@")
if [ "${#locks[@]}" -eq 0 ]; then
  locks=(/var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock /var/cache/apt/archives/lock)
fi

# Prints who holds a lock on one of the files, from the kernel's own table of
# file locks (apt locks with fcntl, and no tool for reading those is on a
# minimal system).
holder() {
  local file key pid
  for file in "${locks[@]}"; do
    [ -e "$file" ] || continue
    key=$(printf '%02x:%02x:%s' "$(stat -c %Hd "$file")" "$(stat -c %Ld "$file")" "$(stat -c %i "$file")")
    # a waiting request is shown with "->" and holds nothing
    pid=$(awk -v key="$key" '$2 != "->" && $6 == key { print $5; exit }' /proc/locks)
    [ -n "$pid" ] || continue
    if [ -r "/proc/$pid/comm" ]; then
      echo "$(cat "/proc/$pid/comm") (process $pid)"
    else
      echo "another program"
    fi
    return 0
  done
}

start=$SECONDS
said=""
while who=$(holder) && [ -n "$who" ]; do
  if [ $((SECONDS - start)) -ge "$limit" ]; then
    echo "The package manager is still in use by $who after $limit s. Run this again when it has finished." >&2
    exit 1
  fi
  if [ "$who" != "$said" ]; then
    echo "Waiting for $who to finish with the package manager (at most $limit s) ..." >&2
    said=$who
  fi
  sleep 1
done
[ -z "$said" ] || echo "The package manager is free after $((SECONDS - start)) s." >&2
