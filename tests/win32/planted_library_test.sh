#!/usr/bin/env bash
# A DLL planted beside the downloaded program is never loaded: the program runs
# from a folder that also holds a shcore.dll of someone else's, passes the
# end-to-end test there, and the planted DLL has left no mark. The program runs
# as on Windows 8.1, where it loads shcore.dll for the monitor's DPI.
# usage: planted_library_test.sh WINE PROGRAM PLANTED-DLL
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wine=$1
program=$2
planted=$3
downloads=$(mktemp -d)
trap 'rm -rf "$downloads"' EXIT
cp "$program" "$downloads/dbmconv.exe"
cp "$planted" "$downloads/shcore.dll"

bash "$here/../e2e/e2e_test.sh" "$wine" "$downloads/dbmconv.exe"
status=$?
if [ -e "$downloads/planted-library-was-loaded" ]; then
  echo "FAIL: the shcore.dll beside the program was loaded"
  exit 1
fi
echo "ok: the shcore.dll beside the program was not loaded"
exit $status
