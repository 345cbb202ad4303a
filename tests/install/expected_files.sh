# The files Kvelta installs, relative to the installation prefix (/usr for the .deb).
# Sourced by check_install_tree.sh and check_deb.sh; $1 is the application id.
expected_files() {
  local id=$1
  printf '%s\n' \
    bin/kvelta \
    bin/kvelta-solve \
    bin/kvelta-web \
    lib/systemd/system/kvelta-web.service \
    lib/kvelta/plugins/kvelta-pdf.so \
    "share/applications/$id.desktop" \
    "share/metainfo/$id.metainfo.xml" \
    "share/icons/hicolor/scalable/apps/$id.svg" \
    "share/icons/hicolor/48x48/apps/$id.png" \
    "share/icons/hicolor/64x64/apps/$id.png" \
    "share/icons/hicolor/128x128/apps/$id.png" \
    "share/icons/hicolor/256x256/apps/$id.png" \
    share/man/man1/kvelta.1.gz \
    share/man/man1/kvelta-solve.1.gz \
    share/man/man1/kvelta-web.1.gz \
    share/doc/kvelta/copyright \
    share/doc/kvelta/changelog.gz
}
