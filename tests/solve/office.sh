# LibreOffice for the tests that read what an office program saves: sourced, it sets $office and
# $work (a folder removed on exit) and defines fail, convert and class_list; without LibreOffice
# the test is skipped (exit 77).
office=$(command -v soffice || command -v libreoffice || true)
if [ -z "$office" ]; then echo "SKIP: LibreOffice is not installed (scripts/setup.sh installs it)"; exit 77; fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# A profile of its own, so that no other LibreOffice running on the machine is disturbed.
convert() { "$office" -env:UserInstallation="file://$work/profile" --headless "$@" >"$work/office.log" 2>&1 ||
              { cat "$work/office.log"; fail "LibreOffice: $*"; }; }
# A class list of 25 students as CSV ($work/students.csv) and as LibreOffice Calc saves it
# (students.xlsx, students.ods); the 25th name holds a comma.
class_list() {
  {
    echo 'Группа;ФИО'
    for i in $(seq 1 24); do printf 'ГД-2%d;Студент %02d Иванович\n' $((i % 2 + 1)) "$i"; done
    echo 'ГД-21;"Щукин, Ян"'
  } >"$work/students.csv"
  convert --infilter=CSV:59,34,76,1 --convert-to xlsx --outdir "$work" "$work/students.csv"
  convert --convert-to ods --outdir "$work" "$work/students.xlsx"
}
