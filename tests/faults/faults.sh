#!/bin/bash
# What kvelta-solve does when its files and streams fail: a table of faults (a full disk, a full
# device, a FIFO, a device node, a read-only file system, inputs that never end). Each must give
# the stated exit status and message, leave the old file byte-identical and no temporary behind.
# The read-only and tmpfs cases run in a mount namespace of their own, so they hold for root too;
# they are skipped, with the reason printed, only where the kernel refuses the namespace.
#
#   faults.sh KVELTA-SOLVE
set -u
solve=$(realpath "$1")
self=$(realpath "$0")
old=$'old file\r\n'
report=(meridian-arc --decimal-separator . Edit1=G Edit2=Name Edit3=50 Edit6=51)

# Each case prepares its folder ($dir) and sets:
#   run      the command (an array), run in $dir
#   status   the exit status it must give
#   message  an extended regular expression its standard error must match (none: it stays empty)
#   keep     a file that must be byte-identical afterwards (optional)
#   after    a command that must succeed afterwards (optional)
#   limit    a file size limit in KiB (ulimit -f; optional), input a file for standard input
#   ns       1: needs a mount namespace of its own
old_file() { printf %s "$old" > "$1"; keep=$1; }

case_full_disk_report() { old_file r.txt; limit=1; run=("${report[@]}" --report r.txt); status=1
    message='Unable to write to .*/r\.txt\. File too large'; }
case_full_disk_json() { old_file t.json; limit=1; run=("${report[@]}" --tables-json t.json); status=1
    message='Unable to write to .*/t\.json\. File too large'; }
case_full_disk_docx() { old_file d.docx; limit=1; run=("${report[@]}" --docx d.docx); status=1
    message='Unable to write to .*/d\.docx\. File too large'; }
case_full_disk_batch() {
    # Enough rows that the summary, with every row's error, outgrows the limit too.
    # The earlier run's summary goes before the first new file; the folder then says it is unfinished.
    mkdir out; printf %s "$old" > out/summary.csv; { echo Edit3,Edit6; for row in {1..12}; do echo 50,51; done; } > v.csv
    limit=1; run=(meridian-arc --decimal-separator . --batch v.csv --out-dir out); status=1
    # (Standard error is a file under the same limit: its first lines are what is sure to be there.)
    message='variant 001: Unable to write to .*/out/001-variant\.txt\. File too large'
    after='test -s out/INCOMPLETE.txt && test ! -e out/summary.csv'; }
case_full_tmpfs() {
    ns=1; mkdir m; mount -t tmpfs -o size=16k tmpfs m || return 1
    old_file m/r.txt; head -c 1M /dev/zero > m/fill 2>/dev/null
    run=("${report[@]}" --report m/r.txt); status=1; message='Unable to write to .*/m/r\.txt\. No space left on device'; }
case_read_only_mount() {
    ns=1; mkdir ro; old_file ro/r.txt
    mount --bind ro ro && mount -o remount,bind,ro ro || return 1
    run=("${report[@]}" --report ro/r.txt); status=1; message='Cannot create file ".*/ro/r\.txt"\. Read-only file system'; }
case_dev_full() { run=("${report[@]}" --report /dev/full); status=1
    message='Unable to write to /dev/full\. No space left on device'; after='test -c /dev/full'; }
case_fifo_without_reader() { mkfifo f; run=("${report[@]}" --report f); status=1
    message='Cannot create file ".*/f"\. No such device or address'; after='test -p f'; }
case_fifo_with_reader() {
    mkfifo f; exec 3<>f  # this shell holds it open for reading
    run=("${report[@]}" --report f); status=0; after='test -p f && [ "$(head -c 8 <&3 | wc -c)" = 8 ]'; }
case_device_node() {
    # A node of its own where the folder allows devices; else a link to /dev/null, which a
    # broken writer could only replace the link of.
    mknod null c 1 3 2>/dev/null && : > null 2>/dev/null || { rm -f null; ln -s /dev/null null; }
    run=("${report[@]}" --docx null); status=0; after='test -c null && test -c /dev/null'; }
case_folder_target() { mkdir r; run=("${report[@]}" --report r); status=1; message='Is a directory'; after='test -d r'; }
case_batch_from_fifo() { mkfifo in.csv; run=(meridian-arc --batch in.csv --out-dir out); status=2
    message='Cannot open file ".*/in\.csv"\. Not a regular file'; }
case_batch_from_device() { run=(meridian-arc --batch /dev/zero --out-dir out); status=2
    message='Cannot open file "/dev/zero"\. Not a regular file'; }
case_batch_too_large() { truncate -s 65M big.csv; run=(meridian-arc --batch big.csv --out-dir out); status=2
    message='Larger than 67108864 bytes'; }
case_batch_stdin_blank_lines() {
    printf '\r\nEdit3,Edit6\r\n50,51\r\n\r\n\n  \n' > v.csv; input=v.csv
    run=(meridian-arc --decimal-separator . --batch - --out-dir out); status=0; message=
    after='[ "$(wc -l < out/summary.csv)" = 2 ] && test -s out/001-variant.txt'; }
case_text_longer_than_an_edit() { run=(meridian-arc "Edit2=$(head -c 32768 /dev/zero | tr '\0' x)" --report r.txt)
    status=2; message='Edit2 has 32768 characters; an edit holds at most 32767'; after='test ! -e r.txt'; }
case_batch_text_longer_than_an_edit() {
    { echo Edit1,Edit3; echo G,50; printf 'G,'; head -c 40000 /dev/zero | tr '\0' 5; echo; } > v.csv
    run=(meridian-arc --batch v.csv --out-dir out); status=1; message='variant 002: Edit3 in row 2 has 40000 characters'
    after='grep -q "Edit3 in row 2 has 40000 characters" out/summary.csv && test -s out/001-variant.txt'; }
case_repeated_option() { run=("${report[@]}" --report a --report b); status=2; message='--report is given more than once'; }
case_repeated_edit() { run=(meridian-arc Edit3=1 Edit3=2); status=2; message='Edit3 is given more than once'; }
case_repeated_column() { printf 'Edit3,Edit6,Edit3\n1,2,3\n' > v.csv; run=(meridian-arc --batch v.csv --out-dir out)
    status=2; message='v\.csv: names Edit3 more than once'; after='test ! -e out'; }
# Standard output on a full device: every way of printing.
stdout_full() { run=("$@"); stdout=/dev/full; status=1; message='cannot write to standard output: No space left on device'; }
case_stdout_report() { stdout_full "${report[@]}" --report -; }
case_stdout_default_report() { stdout_full "${report[@]}"; }
case_stdout_json() { stdout_full "${report[@]}" --tables-json -; }
case_stdout_list() { stdout_full --list; }
case_stdout_help() { stdout_full --help; }
case_stdout_version() { stdout_full --version; }

# Runs one case in a fresh folder; prints what went wrong and fails.
run_case() {
    local name=$1 dir=$2
    local run=() status=0 message= keep= after= limit= input=/dev/null stdout=out.log ns=0
    cd "$dir" || return 1
    if ! "case_$name"; then echo "FAIL $name: cannot prepare the case"; return 1; fi
    local copy=$dir.keep
    [ -n "$keep" ] && cp "$keep" "$copy"
    local got
    ( [ -n "$limit" ] && ulimit -f "$limit"; exec timeout 60 "$solve" "${run[@]}" < "$input" > "$stdout" 2> "$dir.err" )
    got=$?
    local fail=
    [ "$got" = "$status" ] || fail+=" exit status $got, not $status;"
    if [ -n "$message" ]; then grep -Eq -- "$message" "$dir.err"; else [ ! -s "$dir.err" ]; fi ||
        fail+=" message: $(head -c 300 "$dir.err");"
    [ -z "$keep" ] || cmp -s "$keep" "$copy" || fail+=" $keep changed;"
    [ -z "$(find "$dir" -name '.kvelta-*' -print -quit)" ] || fail+=" a temporary was left;"
    [ -z "$after" ] || eval "$after" || fail+=" failed: $after;"
    if [ -n "$fail" ]; then echo "FAIL $name:$fail"; return 1; fi
    echo "ok   $name"
}

if [ "${2:-}" = --inner ]; then  # one case inside its own mount namespace
    run_case "$3" "$4"
    exit
fi

# A private mount namespace: as root a plain one, as a user one in a user namespace of its own.
namespace=(unshare --mount --propagation private)
[ "$(id -u)" = 0 ] || namespace=(unshare --map-root-user --mount --propagation private)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for name in $(declare -F | sed -n 's/^declare -f case_//p'); do
    dir=$work/$name
    mkdir "$dir"
    if grep -q 'ns=1' <<< "$(declare -f "case_$name")"; then
        if ! refusal=$("${namespace[@]}" true 2>&1); then
            echo "SKIP $name: the kernel refuses a mount namespace: $refusal"
            continue
        fi
        "${namespace[@]}" bash "$self" "$solve" --inner "$name" "$dir" || failed=1
    else
        (run_case "$name" "$dir") || failed=1
    fi
done
exit $failed
