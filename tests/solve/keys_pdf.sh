#!/usr/bin/env bash
# kvelta-solve --batch --keys: every variant's key as .txt, .docx and .pdf, and the answer book,
# all the keys' pages in order in one PDF.
# Usage: keys_pdf.sh KVELTA_SOLVE
set -euo pipefail
solve=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

names=(Петров Сидорова Иванов)
printf 'ГД21;%s\nГД21;%s\nГД22;%s\n' "${names[@]}" >"$work/students.csv"
for exercise in legendre; do  # landscape pages
  keys=$work/$exercise
  "$solve" "$exercise" --make-variants 3 --students "$work/students.csv" --out "$work/variants.csv"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$solve" "$exercise" --batch "$work/variants.csv" --keys "$keys"

  # The book's pages are the keys' pages, in order and in their own sizes and orientations.
  expected_sizes=
  stems=("001-ГД21-${names[0]}" "002-ГД21-${names[1]}" "003-ГД22-${names[2]}")
  for stem in "${stems[@]}"; do
    for ext in txt docx pdf; do [ -s "$keys/$stem.$ext" ] || fail "$exercise: $stem.$ext missing"; done
    expected_sizes+=$(pdfinfo -f 1 -l 99 "$keys/$stem.pdf" | grep -E '^Page +[0-9]+ size' | sed 's/^Page *[0-9]* //')$'\n'
  done
  book=$keys/answer-book.pdf
  pages=$(pdfinfo "$book" | awk '/^Pages:/ {print $2}')
  [ "$pages" -ge 3 ] || fail "$exercise: the answer book has $pages pages"
  sizes=$(pdfinfo -f 1 -l 99 "$book" | grep -E '^Page +[0-9]+ size' | sed 's/^Page *[0-9]* //')$'\n'
  [ "$sizes" = "$expected_sizes" ] || fail "$exercise: book pages $sizes, keys $expected_sizes"

  # Each student once, in the order of the variants.
  found=$(pdftotext "$book" - | grep -oE "$(IFS='|'; echo "${names[*]}")" | tr '\n' ' ')
  [ "$found" = "${names[*]} " ] || fail "$exercise: names in the book: $found"
done
echo "answer keys and the answer book are drawn"
