#!/usr/bin/env bash
# Makes the Windows Installer package of one built program with wixl, the same
# bytes every time for the same commit: its codes are derived from the version,
# the processor and the packaged files, and its time stamps are the last
# commit's (the program's, where there is no commit).
# usage: make_msi.sh x86|x64 VERSION PROGRAM.exe ICON.ico OUTPUT.msi
set -euo pipefail
arch=$1
version=$2
program=$3
icon=$4
output=$5
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/commit-time.sh"

# A GUID that is always the same for the same name (a name-based UUID, version 5
# layout, from SHA-1).
derived_guid() {
  local hash
  hash=$(printf 'dbmconv %s' "$1" | sha1sum | cut -c1-32)
  printf '%s-%s-5%s-%x%s-%s\n' "${hash:0:8}" "${hash:8:4}" "${hash:13:3}" \
    $(( (0x${hash:16:1} & 3) | 8 )) "${hash:17:3}" "${hash:20:12}" | tr 'a-f' 'A-F'
}
# Another build of the same version is another package, and another product
# (which the major upgrade replaces): Windows Installer takes a package whose
# code it knows for the one installed, and installs nothing of it.
contents=$(cat "$program" "$icon" "$here/dbmconv.wxs" "$0" | sha256sum | cut -c1-64)
product_code=$(derived_guid "product $version $arch $contents")
package_code=$(derived_guid "package $version $arch $contents")
# the same file at the same place in every version: the same component
component_guid=$(derived_guid "component $arch")
template=$([ "$arch" = x64 ] && echo "x64;2052" || echo "Intel;2052")

export TZ=UTC
# Outside a git work tree (a source archive, a machine without git) there is no
# commit time: the packed program's own time then, never the clock's, so that
# the same program still gives the same package.
when=$(date -u -d "@${SOURCE_DATE_EPOCH:-$(stat -c %Y "$program")}" '+%Y-%m-%d %H:%M:%S')

# wixl takes its sources from the folder it runs in.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$program" "$stage/dbmconv.exe"
cp "$icon" "$stage/dbmconv.ico"
cp "$here/dbmconv.wxs" "$stage/"
# The cabinet keeps each file's modification time: the commit's, not the copy's.
touch -d "$when" "$stage"/*
# The package's texts are Chinese: its tables use the code page of Chinese (PRC)
# Windows, 936, which wixl takes from WINDOWS_LANGUAGE and does not write down.
export WINDOWS_LANGUAGE=zh_CN
(cd "$stage" && faketime -f "$when" wixl -a "$arch" -D "Arch=$arch" -D "Version=$version" \
  -D "ProductCode=$product_code" -D "ComponentGuid=$component_guid" -o package.msi dbmconv.wxs 2>&1 |
  grep -v -e 'unimplemented' -e '^$' >&2 || true)
[ -s "$stage/package.msi" ] || { echo "wixl made no package" >&2; exit 1; }
# What wixl leaves out: the code page itself, the package's language and its
# code, which wixl would draw at random.
printf '\r\n\r\n936\t_ForceCodepage\r\n' >"$stage/_ForceCodepage.idt"
# The major upgrade's own version too (wixl knows no AllowSameVersionUpgrades):
# the other processor's package, or another build, of the same version
# replaces the one installed instead of going beside it.
msiinfo export "$stage/package.msi" Upgrade |
  awk -F'\t' -v OFS='\t' 'NR > 3 && $6 == "" && $3 != "" && int($5 / 512) % 2 == 0 { $5 += 512 } { print }' >"$stage/Upgrade.idt"
(cd "$stage" && faketime -f "$when" msibuild package.msi -i _ForceCodepage.idt -i Upgrade.idt &&
  faketime -f "$when" msibuild package.msi -s "功率和dBm换算 $version" "The dbmconv authors" "$template" "{$package_code}")
cp "$stage/package.msi" "$output"
