#!/usr/bin/env bash
# Shows that a build can be repeated: builds the Debian package, the Windows
# programs, their installer packages and the web page twice, from two clean clones of the
# current commit in folders of different names, and compares what they make
# byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

artefacts() {
  local clone=$1
  git clone --quiet --no-hardlinks "$PWD" "$clone"
  bash "$clone/scripts/package.sh"
  bash "$clone/scripts/build-windows.sh"
  bash "$clone/scripts/package-windows.sh"
  bash "$clone/scripts/build-web.sh"
}
mapfile -t first < <(artefacts "$work/first")
mapfile -t second < <(artefacts "$work/a-second-clone")

status=0
for i in "${!first[@]}"; do
  name=${first[$i]#"$work/first/"}
  if cmp -s "${first[$i]}" "${second[$i]}"; then
    echo "same: $name $(sha256sum <"${first[$i]}" | cut -c1-64)"
  else
    echo "DIFFERENT: $name"
    status=1
  fi
done
exit $status
