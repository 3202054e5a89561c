#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only when one is missing.
# Usage: scripts/install-deps.sh build|test|fuzz|bench|screenshot|package|windows|web|web-test
# Runs as root without prompts; elsewhere it uses sudo when it has to install.
set -euo pipefail

# The compiler and CMake; Qt 6 Widgets with its Chinese translations and its
# Wayland platform; a free Song/Ming-style CJK font, so the window's Chinese
# never shows as boxes.
build_packages=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-translations-l10n qt6-wayland
  fonts-arphic-uming
)
# GoogleTest; MPFR, the reference for the power and the logarithm; a locale with a decimal comma; an X server, a window manager and
# the tools a test uses to drive the window like a person; a session bus, the
# accessibility bus and an AT-SPI client, to hear the window as a screen reader
# does; a headless Wayland compositor; the validators of the desktop entry, the
# AppStream metainfo and the Windows resource script.
test_packages=(
  libgtest-dev libmpfr-dev locales python3-yaml
  xvfb xauth openbox xdotool xclip x11-utils
  dbus at-spi2-core python3-gi gir1.2-atspi-2.0
  weston gir1.2-appstream-1.0
  desktop-file-utils appstream binutils-mingw-w64-x86-64
)
# clang and its runtime for libFuzzer and the sanitizers, and LLVM's
# symbolizer, without which clang's sanitizers name no function in a report,
# and the leak suppressions that name one cannot match.
fuzz_packages=(
  clang libclang-rt-dev llvm
)
# What makes and checks the Debian package: dpkg-shlibdeps and the build flags,
# and lintian.
package_packages=(
  dpkg-dev file lintian
)
# The MinGW-w64 cross compilers (posix threads) for 64- and 32-bit Windows, and
# Wine, to build the Windows programs on Debian and run them and their tests
# here; wixl and msitools make their Windows Installer packages, faketime gives
# those the last commit's time.
windows_packages=(
  cmake g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 googletest wine wine64
  fonts-arphic-uming wixl msitools faketime
)
# Wine's 32-bit half, to run the 32-bit program and its suites: where the
# kernel runs 32-bit programs, and, for the test command, where it runs none
# but can have them emulated (scripts/emulate-32-bit.sh, with qemu-user's
# qemu-i386). Where neither is possible, the core's suites are built for i386
# with the same flags and run under qemu-i386 without binfmt_misc instead.
# DBMCONV_EMULATE_32_BIT=1 asks for the emulation where the kernel needs none.
if bash "$(dirname "$0")/runs-32-bit-programs.sh" --quiet && [ "${DBMCONV_EMULATE_32_BIT:-}" != 1 ]; then
  wine32_packages=(wine32:i386)
  test_wine32_packages=(wine32:i386)
  i386_packages=(g++-i686-linux-gnu)
else
  wine32_packages=()
  test_wine32_packages=()
  if bash "$(dirname "$0")/emulate-32-bit.sh" possible; then
    test_wine32_packages=(wine32:i386)
  fi
  i386_packages=(g++-i686-linux-gnu qemu-user)
fi
# The web page: Debian's Emscripten and its Node.js, and GoogleTest's sources
# for the core's suites in WebAssembly.
web_packages=(
  cmake ninja-build g++ python3 emscripten nodejs googletest
)
# ... and for its tests, the page in the three engines that browsers are made
# of: Debian's Chromium driven headless through ChromeDriver; Firefox ESR
# driven over WebDriver BiDi, with a WebSocket client (no geckodriver is
# packaged); WebKitGTK through its own WebDriver; these two each in an X
# server whose pointer xdotool drags; and GoogleTest for the build of the core
# for this machine that the page's results are compared with.
web_test_packages=(
  chromium chromium-driver python3-selenium libgtest-dev
  firefox-esr python3-websocket
  webkit2gtk-driver xvfb xauth xdotool
)
# Google Benchmark, and XCB for timing the window's appearance.
bench_packages=(
  libbenchmark-dev libxcb1-dev pkg-config xvfb xauth
)

case "${1:-build}" in
  build) wanted=("${build_packages[@]}") ;;
  test) wanted=("${build_packages[@]}" "${test_packages[@]}" "${fuzz_packages[@]}" "${package_packages[@]}" "${windows_packages[@]}" "${test_wine32_packages[@]}" "${i386_packages[@]}" "${web_packages[@]}" "${web_test_packages[@]}") ;;
  package) wanted=("${build_packages[@]}" "${package_packages[@]}") ;;
  windows) wanted=("${windows_packages[@]}") ;;
  web) wanted=("${web_packages[@]}") ;;
  web-test) wanted=("${web_packages[@]}" "${web_test_packages[@]}") ;;
  fuzz) wanted=("${build_packages[@]}" "${fuzz_packages[@]}") ;;
  bench) wanted=("${build_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}" "${windows_packages[@]}" "${wine32_packages[@]}") ;;
  screenshot) wanted=("${build_packages[@]}" "${test_packages[@]}" imagemagick) ;;
  *) echo "usage: $0 build|test|fuzz|bench|screenshot|package|windows|web|web-test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# A package updater (PackageKit, unattended-upgrades) may hold apt's lock for a
# while: wait for it, saying so; apt-get itself waits too, for the moment
# between the two when the updater starts again.
here=$(cd "$(dirname "$0")" && pwd)
apt_options=(-o DPkg::Lock::Timeout=300)

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  # 32-bit packages come from the i386 architecture, added once
  if [[ " ${missing[*]}" == *":i386"* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  # A mirror in the middle of a sync can serve one bad index (seen: i386's
  # security one) while everything wanted comes from the others: go on, and
  # fail below only if a wanted package really cannot be had.
  bash "$here/wait-for-apt.sh"
  if ! as_root apt-get "${apt_options[@]}" update; then
    echo "apt-get update reported an error; installing from the package lists that could be read" >&2
  fi
  bash "$here/wait-for-apt.sh"
  if ! as_root env DEBIAN_FRONTEND=noninteractive apt-get "${apt_options[@]}" install -y --no-install-recommends "${missing[@]}"; then
    for package in "${missing[@]}"; do
      candidate=$(apt-cache policy "$package" 2>/dev/null | awk '/Candidate:/ {print $2}')
      if [ -z "$candidate" ] || [ "$candidate" = "(none)" ]; then
        echo "cannot install $package: no package list that could be read offers it" >&2
      fi
    done
    echo "installing the packages above failed; apt-get says why" >&2
    exit 1
  fi
fi

# The tests also run under a locale that writes numbers with a decimal comma.
if [ "${1:-build}" = test ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "Generating the de_DE.UTF-8 locale"
  as_root sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  as_root locale-gen
fi
