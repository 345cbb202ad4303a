#!/usr/bin/env bash
# The instructor's whole round as a teacher goes through it: a class list of 25 students saved by
# LibreOffice Calc as .xlsx and as .ods → variants → task cards → answer keys → a Moodle quiz →
# the answers handed in, one written with a decimal point in a comma file and one garbled → marks:
# every student marked, exactly those two cells «не прочитано», every other answer right.
# Usage: instructor_round.sh KVELTA_SOLVE
set -euo pipefail
solve=$1
. "$(dirname "$0")/office.sh"
exercise=gk-forward
students=25
# The fields of a line of a ';' file without its byte order mark and CR (no field here holds ';').
fields() { sed '1s/^\xEF\xBB\xBF//; s/\r$//' "$1"; }
pdf_pages() { pdfinfo "$1" | awk '/^Pages:/ {print $2}'; }

class_list
for list in students.xlsx students.ods; do
  run=$work/${list#students.}
  mkdir "$run"
  "$solve" $exercise --decimal-separator , --make-variants $students --students "$work/$list" --out "$run/variants.csv"
  [ "$(fields "$run/variants.csv" | wc -l)" = $((students + 1)) ] || fail "$list: not $students variants"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$solve" $exercise --decimal-separator , \
    --batch "$run/variants.csv" --out-dir "$run/keys" --keys "$run/keys" \
    --cards "$run/cards" --cards-per-page 4 --moodle "$run/quiz.xml"

  # A card per student and the sheets of four, upright; a key per student with its given data.
  [ "$(ls "$run/cards" | grep -c '^[0-9][0-9][0-9]-.*\.pdf$')" = $students ] || fail "$list: cards missing"
  [ "$(pdf_pages "$run/cards/cards.pdf")" = 7 ] || fail "$list: cards.pdf has not 7 pages of four"
  pdfinfo -f 1 -l 7 "$run/cards/cards.pdf" | awk '/^Page +[0-9]+ size/ && !($4 < $6) {bad = 1} END {exit bad}' ||
    fail "$list: a sheet of cards lies on its side"
  for ext in txt docx pdf; do
    [ "$(ls "$run/keys" | grep -c "^[0-9][0-9][0-9]-.*\.$ext\$")" = $students ] || fail "$list: .$ext keys missing"
  done
  [ "$(pdf_pages "$run/keys/answer-book.pdf")" -ge $students ] || fail "$list: the answer book is short"
  key=$(iconv -f windows-1251 -t utf-8 "$run/keys/025-ГД_21-Щукин__Ян.txt")
  grep -q '^Ф.И.О. Щукин, Ян' <<<"$key" && grep -q '^Исходные данные:' <<<"$key" || fail "$list: the key lacks its given data"
  [ "$(grep -c '<question type="cloze">' "$run/quiz.xml")" = $students ] || fail "$list: the quiz has not $students questions"

  # The answers: each variant with its key's results; student 5 writes x with a point, student 12
  # garbles his second answer.
  header=$(fields "$run/keys/summary.csv" | head -1)
  results=$(awk -F';' '{for (i = 5; i <= NF && $i != "group"; ++i) n++; print n}' <<<"$header")
  fields "$run/keys/summary.csv" | cut -d';' -f$((5))-$((4 + results)) >"$run/results"
  paste -d';' <(fields "$run/variants.csv") "$run/results" |
    awk -F';' -v OFS=';' -v first=$(($(fields "$run/variants.csv" | head -1 | awk -F';' '{print NF}') + 1)) \
      'NR == 6 {sub(/,/, ".", $first)} NR == 13 {$(first + 1) = "12,3,4"} {print}' >"$run/answers.csv"
  grep -q '^[^;]*;[^;]*;.*;[0-9]*\.[0-9]*;' <(sed -n 6p "$run/answers.csv") || fail "$list: no point in student 5's answer"
  "$solve" $exercise --decimal-separator , --grade "$run/answers.csv" --out-dir "$run/marks"

  fields "$run/marks/grades.csv" | awk -F';' -v students=$students -v results="$results" '
    NR == 1 { if ($1 != "Вариант" || $NF != "Итог") { print "headings: " $0; bad = 1 }; next }
    {
      if ($2 == "" || $3 == "") { print "unmarked: " $0; bad = 1 }
      right = 0
      for (i = 4; i <= NF - 4; i += 2) {
        if ($i == "не прочитано") { unread[NR - 1 ":" (i - 2) / 2] = 1; unreadCount++ }
        else if ($i == "1") right++
        else { print "wrong: " $0; bad = 1 }
      }
      if ($(NF - 2) != right || $(NF - 1) != results || $NF != right " из " results) { print "score: " $0; bad = 1 }
      rows++
    }
    END {
      if (rows != students) { print rows " students marked"; bad = 1 }
      if (unreadCount != 2 || !(("5:1") in unread) || !(("12:2") in unread)) { print "unread cells: " unreadCount; bad = 1 }
      exit bad
    }' || fail "$list: the marks"
done
cmp "$work/xlsx/variants.csv" "$work/ods/variants.csv" || fail "the .xlsx and .ods class lists give other variants"
echo "the instructor's round: $students students from .xlsx and .ods marked, the two slips unread"
