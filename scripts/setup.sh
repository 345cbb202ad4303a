#!/usr/bin/env bash
# Installs every Debian package Kvelta needs to build, run and test. Idempotent; works as root
# or as a user with sudo, on a bare Debian 12 machine.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n qt6-qpa-plugins
  libgtest-dev libsimpleini-dev
  libzip-dev zipcmp zipmerge ziptool
  libjpeg-dev libgeographiclib-dev
  proj-bin  # cs2cs: an independent datum transformation for the tests
  xdg-utils fonts-liberation2 poppler-utils
  libreoffice-calc-nogui  # the workbook tests: LibreOffice converts class lists and reads back the .xlsx written
  desktop-file-utils appstream dpkg-dev file lintian
  openbox imagemagick
  xvfb xauth
  util-linux mount  # unshare and mount for the fault tests
  python3-sympy  # scripts/derive_mean_argument.py, a development aid
  libcpp-httplib-dev  # kvelta-web's HTTP server
  chromium chromium-driver python3-selenium  # kvelta-web's test in a real browser
  wrk curl iproute2  # scripts/bench.sh: kvelta-web under load (nstat counts listen-queue overflows)
  nginx-light  # scripts/bench/nginx.sh: two kvelta-web instances behind a reverse proxy
  pmccabe  # the test that no function is longer than 100 lines
  locales  # the documented commands are tested in a Russian and an English locale
)

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The locales the documented commands are tested in (a decimal comma and a decimal point).
for l in ru_RU en_US; do
  locale -a 2>/dev/null | grep -qix "$l.utf-\?8" || "${sudo[@]}" localedef -i "$l" -f UTF-8 "$l.UTF-8"
done
