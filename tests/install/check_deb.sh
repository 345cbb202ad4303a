#!/usr/bin/env bash
# Builds the .deb with CPack from a configured and built build folder and checks it with dpkg-deb:
# the files (exactly those of the install tree, under /usr, owned by root, with sane modes), the
# control fields and lintian. Run as a test where the Debian tools are installed, or by hand.
# usage: [CPACK=cpack] check_deb.sh BUILD_DIR VERSION APP_ID [OUTPUT_DIR]   (the .deb is kept in OUTPUT_DIR if given)
set -euo pipefail
build=$1 version=$2 id=$3
source "$(dirname "$0")/expected_files.sh"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
out=${4:-$tmp}
mkdir -p "$out"
"${CPACK:-cpack}" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$tmp/cpack.log" ||
  { cat "$tmp/cpack.log"; exit 1; }
deb=$(ls "$out"/kvelta_"$version"_*.deb)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

dpkg-deb -c "$deb" | tee "$tmp/contents"
# Columns: mode, owner/group, size, date, time, path.
if ! diff <(expected_files "$id" | sed 's|^|usr/|' | sort) \
          <(awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' "$tmp/contents" | sort); then
  fail "package files differ from the expected list (< expected, > packaged)"
fi
awk '$2 != "root/root" { print "FAIL: not owned by root: " $6; bad = 1 }
     $1 ~ /^d/ && $1 != "drwxr-xr-x" { print "FAIL: folder mode " $1 ": " $6; bad = 1 }
     $1 !~ /^d/ && $6 ~ /\/bin\// && $1 != "-rwxr-xr-x" { print "FAIL: program mode " $1 ": " $6; bad = 1 }
     $1 !~ /^d/ && $6 !~ /\/bin\// && $1 != "-rw-r--r--" { print "FAIL: file mode " $1 ": " $6; bad = 1 }
     END { exit bad }' "$tmp/contents" || failures=$((failures + 1))

dpkg-deb -f "$deb" Package Version Architecture Section Maintainer Depends Suggests | tee "$tmp/control"
grep -qx 'Package: kvelta' "$tmp/control" || fail "package name"
grep -qx "Version: $version" "$tmp/control" || fail "version"
grep -qx 'Section: science' "$tmp/control" || fail "section"
depends=$(sed -n 's/^Depends: //p' "$tmp/control")
# dpkg-shlibdeps must have added the libraries (Qt, libjpeg, the C++ runtime) to ours; names are
# matched as prefixes, since Debian and Ubuntu spell some of them differently (libjpeg62-turbo,
# libqt6core6t64).
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libjpeg libzip \
               qt6-qpa-plugins qt6-translations-l10n xdg-utils; do
  [[ ", $depends" == *", $package"* ]] || fail "Depends lacks $package"
done

# Debian's own checks: no error and no warning (information and pedantic notes may stay).
if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$deb" | tee "$tmp/lintian" || true
  if grep -q '^[EW]: ' "$tmp/lintian"; then fail "lintian reports errors or warnings"; fi
else
  echo "lintian not installed: not run"
fi

[ "$failures" -eq 0 ] || exit 1
echo "package OK: $(basename "$deb")"
