# Sourced by the build scripts. Every time stamp a build writes into what it
# makes (the .exe's header, the members of the .deb) is the time of the last
# commit, so that two builds of one commit give the same bytes. A tree without
# its history (an unpacked archive) keeps the tools' own defaults.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  if SOURCE_DATE_EPOCH=$(git -C "$(dirname "${BASH_SOURCE[0]}")/.." log -1 --format=%ct 2>/dev/null); then
    export SOURCE_DATE_EPOCH
  else
    unset SOURCE_DATE_EPOCH
  fi
fi
