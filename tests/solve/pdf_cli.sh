#!/usr/bin/env bash
# kvelta-solve --pdf and --with-pdf without a display: the PDF module is loaded only then, so
# the program itself links no Qt Gui.
# Usage: pdf_cli.sh KVELTA_SOLVE
set -euo pipefail
solve=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

if readelf -d "$solve" | grep -q 'libQt6Gui'; then fail "kvelta-solve links Qt Gui"; fi

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$solve" meridian-arc --decimal-separator , Edit3=50 Edit6=51 \
  --pdf "$work/one.pdf" --report "$work/one.txt"
[ "$(head -c 5 "$work/one.pdf")" = "%PDF-" ] || fail "--pdf wrote no PDF"
[ -s "$work/one.txt" ] || fail "--report was not written beside --pdf"

printf 'Edit1,Edit2,Edit3,Edit6\nГД-1,Петров,50,51\nГД-2,Сидоров,40,41\n' >"$work/variants.csv"
env -u DISPLAY "$solve" meridian-arc --decimal-separator , --batch "$work/variants.csv" --out-dir "$work/out" --with-pdf
for name in 001-Петров 002-Сидоров; do
  [ -s "$work/out/$name.txt" ] || fail "$name.txt missing"
  [ "$(head -c 5 "$work/out/$name.pdf")" = "%PDF-" ] || fail "$name.pdf missing"
done

# --with-pdf belongs to a batch.
status=0
"$solve" meridian-arc --with-pdf >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "--with-pdf without --batch: status $status, not 2"
echo "kvelta-solve draws PDF files without a display"
