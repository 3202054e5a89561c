# The Debian package, made by CPack from what `cmake --install` puts in place:
#   dbmconv_<version>-1_<architecture>.deb, its dependencies computed by dpkg-shlibdeps
# from the binary. scripts/package.sh builds it hardened and runs CPack.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dbmconv)
set(CPACK_PACKAGE_VERSION "${DBMCONV_VERSION_TEXT}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert a power level between dBm and watts")
# CPack puts the summary on the Description line and this below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "A small desktop window with a Simplified Chinese interface that converts a
power level from dBm (decibels relative to one milliwatt) to watts, or from
watts to dBm, and shows the result rounded to four decimal places.")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${DBMCONV_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no library dependency names them: the Wayland platform,
# Qt's own Chinese texts, and a Song-style font for the controls.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n, fonts-arphic-uming")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
