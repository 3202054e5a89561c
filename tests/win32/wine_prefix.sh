#!/usr/bin/env bash
# Makes the private Wine prefix the Windows tests run in: a fresh one, without
# the Mono and Gecko installers, and with 宋体 (SimSun), which Wine does not
# have, replaced by a Debian CJK font so that the window's Chinese renders.
# With a version (win7, say), the prefix says it is that Windows; with
# WINEARCH=win32 it is a 32-bit Windows.
# With a third argument, a prefix already made that way is copied instead of
# making another: a Windows 7 one is the common prefix set to Windows 7.
# usage: wine_prefix.sh PREFIX-FOLDER [WINDOWS-VERSION [COPY-OF-PREFIX]]
set -euo pipefail
prefix=$1
version=${2:-}
copy_of=${3:-}
font="AR PL UMing CN"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
# A Wine server left from an earlier run in this folder would serve the new
# prefix made in its place, and fail it.
if [ -d "$prefix" ]; then wineserver -k 2>/dev/null || true; fi
rm -rf "$prefix"
mkdir -p "$prefix"
# A 32-bit Windows (WINEARCH=win32) needs Wine's 32-bit loader; a 64-bit one,
# which runs 32-bit programs too, the 64-bit loader.
if [ "${WINEARCH:-}" = win32 ]; then
  wine=$(command -v wine)
else
  wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
fi
if [ -n "$copy_of" ]; then
  cp -a "$copy_of/." "$prefix/"
else
  # (Under emulation a 32-bit Windows takes longer to boot than Wine's loader
  # waits for it, "boot event wait timed out": the boot goes on all the same,
  # and is waited for here; the checks below find a prefix it did not set up.)
  "$wine" wineboot --init >/dev/null 2>&1 || wineserver -w
  for face in 宋体 SimSun NSimSun 新宋体; do
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "$font" /f >/dev/null 2>&1
  done
  # The frame metrics of Windows' classic defaults, whatever Wine's release
  # prefers (Wine 10 draws a taller caption than 8): a caption of 18 px, borders
  # of 1 px, no padding. The end-to-end test measures the window by them.
  metrics='HKCU\Control Panel\Desktop\WindowMetrics'
  for metric in CaptionHeight=18 BorderWidth=1 PaddedBorderWidth=0; do
    "$wine" reg add "$metrics" /v "${metric%=*}" /t REG_SZ /d "${metric#*=}" /f >/dev/null 2>&1
  done
fi
if [ -n "$version" ]; then
  "$wine" winecfg -v "$version" >/dev/null 2>&1
fi
wineserver -w
if [ "$version" = win7 ] && ! grep -q '^"CurrentVersion"="6.1"' "$prefix/system.reg"; then
  echo "the prefix does not say it is Windows 7" >&2
  exit 1
fi
# Wine keeps the registry as text, non-ASCII names as \x escapes: 宋体 is \x5b8b\x4f53.
if ! grep -q '^"\\x5b8b\\x4f53"="'"$font"'"' "$prefix/user.reg"; then
  echo "the font replacement for 宋体 is not in the prefix's registry" >&2
  exit 1
fi
if ! grep -q '^"CaptionHeight"="18"' "$prefix/user.reg"; then
  echo "the caption height is not in the prefix's registry" >&2
  exit 1
fi
echo "Wine prefix ready in $prefix${version:+ as $version}: 宋体 and SimSun shown in $font"
