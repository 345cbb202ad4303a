#!/bin/bash
# A folder of answer keys under faults: a 3 000-variant --keys run killed at random moments while
# it replaces an earlier run, a second run into the same folder meanwhile, and a disk that fills
# up mid-run. Every time the folder must hold one run's keys, each listed in summary.csv and
# every listed key present, or say it is incomplete (INCOMPLETE.txt); the next run must leave
# nothing stale. The full disk runs in a mount namespace of its own (root-proof); it is skipped,
# with the reason printed, only where the kernel refuses one.
#
#   keys_run.sh KVELTA-SOLVE
set -u
solve=$(realpath "$1")
self=$(realpath "$0")
exercise=gk-forward
failed=0
fail() { echo "FAIL $*"; failed=1; }

# Group A's run and group B's differ in their group, which every key's name carries.
students() {  # GROUP COUNT
    for ((i = 1; i <= $2; i++)); do echo "$1;Студент $i"; done
}
variants() {  # GROUP COUNT FILE
    students "$1" "$2" > "$3.students"
    "$solve" $exercise --decimal-separator , --make-variants "$2" --seed "$2" --students "$3.students" --out "$3" ||
        { echo "cannot make the variants"; exit 1; }
}

# The folder is one run's (group $2) and whole, or marked incomplete. $3: "done" when the run
# must have ended whole.
check_folder() {  # DIR GROUP [done] WHAT
    local dir=$1 group=$2 whole=${3:-} what=$4
    if [ -e "$dir/INCOMPLETE.txt" ]; then
        [ "$whole" != done ] || fail "$what: a finished run left INCOMPLETE.txt"
        return
    fi
    [ -s "$dir/summary.csv" ] || { fail "$what: neither summary.csv nor INCOMPLETE.txt"; return; }
    local stray
    stray=$(find "$dir" -maxdepth 1 -name '[0-9]*-*' ! -name "*-$group-*" -print -quit)
    [ -z "$stray" ] || fail "$what: $(basename "$stray") is another run's"
    # Keys present (by number, each as .txt and .docx) and variants summary.csv lists without error.
    local present listed
    present=$(find "$dir" -maxdepth 1 -name '[0-9]*.txt' -printf '%f\n' | cut -d- -f1 | sort)
    [ "$present" = "$(find "$dir" -maxdepth 1 -name '[0-9]*.docx' -printf '%f\n' | cut -d- -f1 | sort)" ] ||
        fail "$what: the keys' .txt and .docx files differ"
    listed=$(tail -n +2 "$dir/summary.csv" | awk -F';' '$4 == "" { print $1 }' | sort)
    [ "$present" = "$listed" ] || fail "$what: keys present $(echo $present | wc -w), summary.csv lists $(echo $listed | wc -w)"
}

no_stale() {  # DIR WHAT
    [ -z "$(find "$1" -name '.kvelta-*' -print -quit)" ] || fail "$2: a temporary of a dead run stayed"
}

if [ "${2:-}" = --full-disk ]; then  # inside a mount namespace of its own
    work=$3
    mount -t tmpfs -o size=6m tmpfs "$work/disk" || exit 3
    keys=$work/disk/keys
    "$solve" $exercise --decimal-separator , --batch "$work/a.csv" --keys "$keys" --no-pdf 2> "$work/a.err" ||
        { fail "full disk: the first run failed: $(head -c 300 "$work/a.err")"; exit 1; }
    # The disk fills up part of the way through the second run.
    head -c $(( $(df --output=avail -B1 "$work/disk" | tail -n 1) - 300 * 1024 )) /dev/zero > "$work/disk/fill"
    "$solve" $exercise --decimal-separator , --batch "$work/b.csv" --keys "$keys" --no-pdf 2> "$work/b.err"
    status=$?
    echo "full disk: $(find "$keys" -name '*.txt' | wc -l) files written, exit status $status"
    [ "$status" != 0 ] || fail "full disk: exit status 0"
    grep -q 'No space left on device' "$work/b.err" || fail "full disk: standard error says $(head -c 300 "$work/b.err")"
    check_folder "$keys" B "" "full disk"
    rm -f "$work/disk/fill"
    "$solve" $exercise --decimal-separator , --batch "$work/b.csv" --keys "$keys" --no-pdf 2> /dev/null ||
        fail "full disk: the run after the disk was freed failed"
    check_folder "$keys" B done "full disk, then run again"
    no_stale "$keys" "full disk, then run again"
    exit $failed
fi

# In memory where there is room: a run writes 6 000 files, and a shared disk would time the disk.
work=$(mktemp -d -p "$([ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")
trap 'rm -rf "$work"' EXIT
variants A 3000 "$work/a.csv"
variants B 3000 "$work/b.csv"
keys=$work/keys

"$solve" $exercise --decimal-separator , --batch "$work/a.csv" --keys "$keys" --no-pdf 2> /dev/null ||
    fail "the first run failed"
check_folder "$keys" A done "the first run"

# Killed at random moments while it replaces run A: at the start, among the keys, near the end.
RANDOM=24
for attempt in 1 2 3 4 5 6; do
    "$solve" $exercise --decimal-separator , --batch "$work/b.csv" --keys "$keys" --no-pdf 2> /dev/null &
    pid=$!
    sleep "$((RANDOM % 6)).$((RANDOM % 10))"
    signal=$([ $((attempt % 2)) = 0 ] && echo INT || echo KILL)
    kill -s $signal $pid 2> /dev/null
    wait $pid
    # Run B's folder, or run A's when the kill came before B took the folder.
    if [ -n "$(find "$keys" -maxdepth 1 -name '*-A-*' -print -quit)" ]; then group=A; else group=B; fi
    check_folder "$keys" $group "" "killed ($signal) after $attempt tries"
done

# Two runs into one folder: the second is refused while the first holds it.
"$solve" $exercise --decimal-separator , --batch "$work/b.csv" --keys "$keys" --no-pdf 2> /dev/null &
pid=$!
for _ in $(seq 50); do [ -e "$keys/INCOMPLETE.txt" ] && break; sleep 0.1; done
"$solve" $exercise --decimal-separator , --batch "$work/a.csv" --keys "$keys" --no-pdf 2> "$work/second.err"
status=$?
wait $pid || fail "the first of two runs failed"
[ "$status" = 1 ] && grep -q 'being written by another run' "$work/second.err" ||
    fail "the second of two runs: exit status $status, $(head -c 300 "$work/second.err")"
check_folder "$keys" B done "two runs"
no_stale "$keys" "two runs"

# The full disk, in a namespace of its own: as root a plain one, as a user one in a user namespace.
namespace=(unshare --mount --propagation private)
[ "$(id -u)" = 0 ] || namespace=(unshare --map-root-user --mount --propagation private)
# Run A of 100 keys, then run B of 300 on a disk with less room than B needs even once A is gone.
head -n 101 "$work/a.csv" > "$work/a300.csv"; head -n 301 "$work/b.csv" > "$work/b300.csv"
mkdir "$work/disk" "$work/small"; mv "$work/a300.csv" "$work/small/a.csv"; mv "$work/b300.csv" "$work/small/b.csv"
mkdir "$work/small/disk"
if refusal=$("${namespace[@]}" true 2>&1); then
    "${namespace[@]}" bash "$self" "$solve" --full-disk "$work/small" || failed=1
else
    echo "SKIP full disk: the kernel refuses a mount namespace: $refusal"
fi
[ $failed = 0 ] && echo "ok   a keys folder is one run's or says it is not"
exit $failed
