# The Debian package: `cpack -G DEB` in a build folder writes kvelta_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME kvelta)
set(CPACK_PACKAGE_VENDOR "Kvelta developers")
set(CPACK_PACKAGE_CONTACT "Kvelta developers <kvelta@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for the exercises of a higher geodesy course")
# The description lists the exercises of the catalogue: kvelta-documents writes it at build time
# and CPack reads it when it packs (the project config file is read then, not at configure time).
set(KVELTA_PACKAGE_DESCRIPTION ${CMAKE_BINARY_DIR}/data/package-description.txt)
set(CPACK_PACKAGE_DESCRIPTION "Kvelta: the exercises of a higher geodesy course")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackProjectConfig.cmake)
file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} @ONLY
     CONTENT "file(READ \"@KVELTA_PACKAGE_DESCRIPTION@\" CPACK_PACKAGE_DESCRIPTION)\n")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/data/copyright)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kvelta developers <kvelta@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Shared libraries are found by dpkg-shlibdeps; these are what the program loads or runs by name:
# the Qt platform plugins, Qt's own Russian translations (dialog buttons) and xdg-open for the
# About window's mail link.
# libzip too: it is loaded only when a document is packed, so dpkg-shlibdeps does not see it
# (libzip.so.4 is Debian's libzip4).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
find_package(libzip REQUIRED)
get_target_property(zip_location libzip::zip LOCATION)
# The soname is the real file's name up to its major version: libzip.so.4.0 → libzip.so.4.
get_filename_component(zip_file "${zip_location}" NAME)
string(REGEX MATCH "^lib[^.]+\\.so\\.[0-9]+" zip_soname "${zip_file}")
string(REGEX REPLACE "^lib(.*)\\.so\\.([0-9]+)$" "lib\\1\\2" zip_package "${zip_soname}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${zip_package}, qt6-qpa-plugins, qt6-translations-l10n, xdg-utils")
# Only suggested: without it Qt runs through XWayland on a Wayland desktop, and it would pull in
# Qt Quick and a Wayland compositor library.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
# «Печать из MS Word» opens the document in the desktop's word processor; the report font is
# Times New Roman, whose metric twin Liberation Serif the column widths are measured for.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-writer, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
