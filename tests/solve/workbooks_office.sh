#!/usr/bin/env bash
# Workbooks as an office program keeps them: a class list of 25 students saved by LibreOffice Calc
# as .xlsx and .ods gives the variants the CSV list gives; the .xlsx files kvelta-solve writes,
# converted back to CSV by LibreOffice, are the CSV files it writes.
# Usage: workbooks_office.sh KVELTA_SOLVE
set -euo pipefail
solve=$1
. "$(dirname "$0")/office.sh"
# A CSV file as LibreOffice writes it: no byte order mark, LF line ends.
plain() { sed '1s/^\xEF\xBB\xBF//; s/\r$//' "$1"; }

class_list
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
