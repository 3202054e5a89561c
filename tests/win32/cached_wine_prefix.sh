#!/usr/bin/env bash
# Makes a test prefix as wine_prefix.sh does, but where 32-bit code runs only
# under emulation, which makes a prefix in minutes, from a copy kept on the
# machine between runs: DBMCONV_WINE_PREFIX_CACHE names the folder (the test
# command sets it only then). A copy is for one Wine build, one kind of prefix
# (WINEARCH) and one wine_prefix.sh: when any of them changes, or no copy is
# there, the prefix is made anew and then kept, in place of the older copy. A
# copy is put in place only once complete, so that a run that was interrupted
# while making it leaves none behind.
# usage: cached_wine_prefix.sh PREFIX-FOLDER [WINDOWS-VERSION [COPY-OF-PREFIX]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${DBMCONV_WINE_PREFIX_CACHE:-}
# (a prefix copied from another needs no cache of its own)
if [ -z "$cache" ] || [ -n "${3:-}" ]; then
  exec bash "$here/wine_prefix.sh" "$@"
fi
prefix=$1
kind=${WINEARCH:-win64}${2:+-$2}
wine_build=$(dpkg-query -W -f='${Package}:${Architecture} ${Version}\n' wine wine64 wine32:i386 libwine:amd64 libwine:i386 2>/dev/null || true)
key=$({ echo "$wine_build"; wine64 --version 2>/dev/null; cat "$here/wine_prefix.sh"; } | sha256sum | cut -c1-16)
kept=$cache/$kind-$key
# (the two Windows suites want the same prefix at once: one makes it, the
# other waits for it and copies it)
mkdir -p "$cache"
exec 9>"$cache/.$kind.lock"
flock 9

if [ ! -f "$kept/complete" ]; then
  echo "no prefix of this Wine in $cache: making one, which takes minutes where 32-bit code is emulated; later runs copy it"
  bash "$here/wine_prefix.sh" "$@" 9>&-
  # The first 32-bit program in a 64-bit prefix finishes setting up its 32-bit
  # half (a minute under emulation): done once here, for the copy.
  if [ "${WINEARCH:-}" != win32 ] && [ -x /usr/lib/wine/wine ]; then
    WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" /usr/lib/wine/wine cmd /c exit 0 </dev/null >/dev/null 2>&1 9>&- || true
    WINEPREFIX=$prefix wineserver -w 9>&-
  fi
  work=$(mktemp -d "$cache/.making-XXXXXX")
  cp -a "$prefix/." "$work/"
  touch "$work/complete"
  # the older copies of this kind go; a run that kept the same one meanwhile wins
  find "$cache" -mindepth 1 -maxdepth 1 -name "$kind-*" ! -name "$kind-$key" -exec rm -rf {} +
  mv -T "$work" "$kept" 2>/dev/null || rm -rf "$work"
  exit 0
fi
export WINEPREFIX=$prefix
if [ -d "$prefix" ]; then wineserver -k 2>/dev/null || true; fi
rm -rf "$prefix"
mkdir -p "$prefix"
cp -a "$kept/." "$prefix/"
rm "$prefix/complete"
echo "Wine prefix ready in $prefix: a copy of $kept"
