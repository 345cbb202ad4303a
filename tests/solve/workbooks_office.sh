#!/usr/bin/env bash
# Workbooks as an office program keeps them: a class list of 25 students saved by LibreOffice Calc
# as .xlsx and .ods gives the variants the CSV list gives; the .xlsx files kvelta-solve writes,
# converted back to CSV by LibreOffice, are the CSV files it writes.
# Usage: workbooks_office.sh KVELTA_SOLVE
set -euo pipefail
solve=$1
office=$(command -v soffice || command -v libreoffice || true)
if [ -z "$office" ]; then echo "SKIP: LibreOffice is not installed (scripts/setup.sh installs it)"; exit 77; fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# A profile of its own, so that no other LibreOffice running on the machine is disturbed.
convert() { "$office" -env:UserInstallation="file://$work/profile" --headless "$@" >"$work/office.log" 2>&1 ||
              { cat "$work/office.log"; fail "LibreOffice: $*"; }; }
# A CSV file as LibreOffice writes it: no byte order mark, LF line ends.
plain() { sed '1s/^\xEF\xBB\xBF//; s/\r$//' "$1"; }

{
  echo 'Группа;ФИО'
  for i in $(seq 1 24); do printf 'ГД-2%d;Студент %02d Иванович\n' $((i % 2 + 1)) "$i"; done
  echo 'ГД-21;"Щукин, Ян"'
} >"$work/students.csv"
convert --infilter=CSV:59,34,76,1 --convert-to xlsx --outdir "$work" "$work/students.csv"
convert --convert-to ods --outdir "$work" "$work/students.xlsx"
for list in students.csv students.xlsx students.ods; do
  "$solve" trapezoid-area --make-variants 25 --students "$work/$list" --out "$work/variants-$list.csv"
done
cmp "$work/variants-students.csv.csv" "$work/variants-students.xlsx.csv" || fail ".xlsx class list"
cmp "$work/variants-students.csv.csv" "$work/variants-students.ods.csv" || fail ".ods class list"
grep -q 'Щукин, Ян' "$work/variants-students.ods.csv" || fail "the 25th student is missing"

# Variants and summary as .xlsx, read back by LibreOffice (numbers with a point, its own locale's;
# text cells quoted only when they must be, numbers as shown).
"$solve" gk-forward --decimal-separator . --make-variants 25 --students "$work/students.ods" --xlsx --out "$work/variants.csv"
"$solve" gk-forward --decimal-separator . --batch "$work/variants.xlsx" --out-dir "$work/out" --xlsx 2>/dev/null
# The batch of the workbook is the batch of the CSV file: every number as typed, "7.1190" too.
"$solve" gk-forward --decimal-separator . --batch "$work/variants.csv" --out-dir "$work/out-csv" 2>/dev/null
cmp "$work/out/summary.csv" "$work/out-csv/summary.csv" || fail "the batch of variants.xlsx differs from that of the CSV"
mkdir "$work/back"
convert --convert-to csv:"Text - txt - csv (StarCalc)":44,34,76,1,,0,false,true,true --outdir "$work/back" "$work/variants.xlsx" "$work/out/summary.xlsx"
for table in variants.csv out/summary.csv; do
  diff <(plain "$work/$table") "$work/back/$(basename "$table")" >"$work/diff" || { head "$work/diff"; fail "$table and its .xlsx differ"; }
done
[ "$(wc -l <"$work/out/summary.csv")" = 26 ] || fail "summary.csv has not 25 variants"
echo "workbooks: class lists read, .xlsx written as the CSV files"
