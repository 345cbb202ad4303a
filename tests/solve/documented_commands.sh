#!/usr/bin/env bash
# Every kvelta-solve command that the README and the manual page show runs as printed, in a
# Russian locale (decimal comma) and an English one (decimal point). The files a command reads
# (a class list, a variants file, an answers file) are made first, by kvelta-solve itself.
# Usage: documented_commands.sh KVELTA_SOLVE README.md kvelta-solve.1
set -euo pipefail
solve=$(realpath "$1")
readme=$2
manual=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir "$work/bin"
ln -s "$solve" "$work/bin/kvelta-solve"
export PATH="$work/bin:$PATH" QT_QPA_PLATFORM=offscreen

# The commands of the README's code blocks and of the manual's examples, continuation lines joined.
commands() {
  awk '/^```/ { inside = !inside; next }
       inside { print }' "$readme"
  awk '/^\.EX/ { inside = 1; next } /^\.EE/ { inside = 0 } inside { print }' "$manual" |
    sed -e 's/\\-/-/g' -e "s/\\\\(aq/'/g" -e 's/\\e/\\/g'
}
mapfile -t documented < <(commands | sed -e ':a' -e '/\\$/N; s/\\\n[[:space:]]*/ /; ta' |
  sed -e 's/[[:space:]]*#.*$//' | grep -E '^[[:space:]]*kvelta-solve ')
[ "${#documented[@]}" -ge 15 ] || fail "found only ${#documented[@]} documented commands"

# The value that follows an option in a command line; empty when the option is not there.
option() { sed -n "s/.*$1[ =]\\([^ ]*\\).*/\\1/p" <<<"$2"; }

# The files a command reads, in the current folder.
prepare() {
  local command=$1 exercise
  exercise=$(awk '{ print $2 }' <<<"$command")
  local students batch grade
  students=$(option --students "$command")
  batch=$(option --batch "$command")
  grade=$(option --grade "$command")
  if [ -n "$students" ]; then
    printf 'Группа;ФИО\nГД-21;Иванов И. И.\nГД-21;Петрова А. С.\n' >"$students"
  fi
  if [ -n "$batch" ] && [ "$batch" != - ]; then
    kvelta-solve "$exercise" --decimal-separator . --make-variants 3 --seed 7 --out "$batch"
  fi
  if [ -n "$grade" ]; then
    # The variants with the students' answers: the computed results, from a batch's summary.
    kvelta-solve "$exercise" --decimal-separator . --make-variants 3 --seed 7 --out given.csv
    kvelta-solve "$exercise" --decimal-separator . --batch given.csv --out-dir solved >/dev/null
    local inputs
    inputs=$(head -1 given.csv | awk -F, '{ print NF }')
    awk -F, -v inputs="$inputs" '{ n = NF - 4 - inputs; line = ""
                                   for (i = 5; i < 5 + n; ++i) line = line "," $i
                                   print line }' solved/summary.csv >results.csv
    paste -d '' given.csv results.csv | tr -d '\r' >"$grade"
  fi
}

ran=0
for locale in ru_RU.UTF-8 en_US.UTF-8; do
  locale -a | grep -qix "${locale%.UTF-8}.utf-\?8" || fail "locale $locale is missing (scripts/setup.sh makes it)"
  for command in "${documented[@]}"; do
    dir=$(mktemp -d "$work/run.XXXX")
    (
      cd "$dir"
      prepare "$command"
      status=0
      LC_ALL=$locale LANG=$locale bash -c "$command" >stdout.txt 2>stderr.txt || status=$?
      [ "$status" -eq 0 ] || fail "in $locale, status $status: $command
$(cat stderr.txt)"
    )
    ran=$((ran + 1))
  done
done
echo "$ran documented commands ran in ru_RU.UTF-8 and en_US.UTF-8"
