# The Debian package: `cpack -G DEB` in a build folder writes kvelta_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME kvelta)
set(CPACK_PACKAGE_VENDOR "Kvelta developers")
set(CPACK_PACKAGE_CONTACT "Kvelta developers <kvelta@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for the exercises of a higher geodesy course")
set(CPACK_PACKAGE_DESCRIPTION
    "Kvelta gives the worked solution of each computational exercise of a
university course in higher geodesy: meridian and parallel arcs, the area
and the sides of map-sheet trapezoids, Gauss-Kruger coordinates and zone
transfer, spherical triangles by Legendre's theorem and a large spherical
triangle, the direct geodetic problem and the inverse geodetic problem,
spatial rectangular coordinates, radii of curvature, meridian convergence
and the reduction of a line to the Gauss-Kruger plane, the geodetic problems
on long lines by Bessel's method, coordinates between SK-42, PZ-90.11 and
WGS-84.
Every intermediate quantity is shown in a labelled table and can be saved as
a text report. The interface is in Russian. kvelta-solve computes the same
exercises from the command line.")
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
