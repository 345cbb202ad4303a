#!/usr/bin/env bash
# Installs Kvelta into a temporary prefix and checks the tree: exactly the expected files, the
# programs runnable, the icons of their nominal sizes, the versions in step with the project's,
# and (with appstreamcli) the metainfo, desktop entry and icon agreeing with each other.
# usage: check_install_tree.sh CMAKE BUILD_DIR VERSION APP_ID
set -euo pipefail
cmake=$1 build=$2 version=$3 id=$4
source "$(dirname "$0")/expected_files.sh"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/usr
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Nothing missing, and nothing extra (a stray library or header would show here).
if ! diff <(expected_files "$id" | sort) <(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort); then
  fail "install tree differs from the expected list (< expected, > installed)"
fi

for program in kvelta kvelta-solve kvelta-web; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done
while read -r file; do
  case $file in bin/*) continue ;; esac
  [ -f "$prefix/$file" ] && [ ! -x "$prefix/$file" ] || fail "$file is missing or executable"
done < <(expected_files "$id")

# The installed solver runs outside the build tree.
[ "$("$prefix/bin/kvelta-solve" --version)" = "kvelta-solve $version" ] || fail "kvelta-solve --version"
# (Through a file: grep -q stops reading at the first match, which would cut the help short.)
"$prefix/bin/kvelta-solve" --help >"$tmp/help" && grep -q -- '--batch' "$tmp/help" || fail "kvelta-solve --help"
[ "$("$prefix/bin/kvelta-web" --version)" = "kvelta-web $version" ] || fail "kvelta-web --version"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for size in 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -f "$png" ] || continue
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{ printf "%d %d\n", (($1*256+$2)*256+$3)*256+$4, (($5*256+$6)*256+$7)*256+$8 }')
  [ "$w $h" = "$size $size" ] || fail "${size}x${size} icon is ${w}x${h}"
done

desktop=$prefix/share/applications/$id.desktop
grep -qx 'Exec=kvelta' "$desktop" || fail "desktop entry does not start kvelta"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry does not name the icon $id"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "metainfo has no release $version"
for page in kvelta kvelta-solve kvelta-web; do
  zcat "$prefix/share/man/man1/$page.1.gz" | grep -qi "^\.TH $page 1 .*\"Kvelta $version\"" ||
    fail "manual page $page is not of version $version"
done
zcat "$prefix/share/doc/kvelta/changelog.gz" | head -n 1 | grep -q "^kvelta ($version)" ||
  fail "changelog does not start with version $version"

if command -v appstreamcli >/dev/null; then
  appstreamcli validate-tree --no-net --strict "$prefix" || fail "appstreamcli validate-tree"
fi
if command -v man >/dev/null; then
  for page in kvelta kvelta-solve kvelta-web; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "manual page $page warnings: $warnings"
  done
fi

[ "$failures" -eq 0 ] || exit 1
echo "install tree OK: $(expected_files "$id" | wc -l) files"
