#!/usr/bin/env bash
# Speed of kvelta-solve, each figure a ratio against a bare Qt program (a QCoreApplication that
# starts and quits) measured side by side in the same run, so that a busy machine slows both.
# Every figure is measured several times and printed as min / median / max; a command that fails
# stops the bench with its status. Then kvelta-web under wrk (scripts/bench/web.sh).
# Usage: scripts/bench.sh [BUILD-DIR] [web]   (`web`: measure only kvelta-web)
#   A given build folder is measured as it is, never rebuilt (a missing bench program is built in
#   it); without one, build-release is configured and built here as Release.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -ge 1 ]; then
  build=$1
  [ -x "$build/src/solve/kvelta-solve" ] || { echo "bench.sh: no kvelta-solve in $build" >&2; exit 2; }
  [ -x "$build/src/app/kvelta-idle-bench" ] || cmake --build "$build" --target kvelta-idle-bench >/dev/null
  [ -x "$build/src/web/kvelta-web" ] || cmake --build "$build" --target kvelta-web >/dev/null
else
  build=build-release
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVELTA_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" --target kvelta-solve kvelta-idle-bench kvelta-web >/dev/null
fi
if [ "${2:-}" = web ]; then
  exec bash scripts/bench/web.sh "$build/src/web/kvelta-web"
fi
solve=$build/src/solve/kvelta-solve
repeats=${KVELTA_BENCH_REPEATS:-3}
# Batches write their files twice: into memory (tmpfs), which measures the program, and onto the
# build folder's disk, which adds what that disk costs to create 10 000 files (on a shared virtual
# disk that varies tenfold from one minute to the next; the CPU time shows the program's share).
work=$(mktemp -d "$PWD/$build/bench.XXXXXX")
memory=$(mktemp -d "${KVELTA_BENCH_MEMORY:-/dev/shm}/kvelta-bench.XXXXXX")
trap 'rm -rf "$work" "$memory"' EXIT
bare=$work/bare-qt
# shellcheck disable=SC2046
g++ -O2 -fPIC $(pkg-config --cflags Qt6Core) scripts/bench/bare_qt.cpp -o "$bare" $(pkg-config --libs Qt6Core)
bare_window=$work/bare-window
# shellcheck disable=SC2046
g++ -O2 -fPIC $(pkg-config --cflags Qt6Widgets) scripts/bench/bare_window.cpp -o "$bare_window" \
  $(pkg-config --libs Qt6Widgets)

now() { date +%s%N; }
# Median of the numbers on standard input.
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# "min / median / max" of the numbers on standard input, each divided by $1, with $2 decimals.
spread() {
  sort -n | awk -v d="$1" -v p="$2" '{ v[NR] = $1 } END {
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.*f / %.*f / %.*f", p, v[1] / d, p, m / d, p, v[NR] / d }'
}
# Wall time of one run of a command, in microseconds; a failed command stops the bench.
micros() {
  local s e status=0
  s=$(now); "$@" >/dev/null 2>"$work/last.err" || status=$?; e=$(now)
  if [ $status != 0 ]; then echo "bench.sh: failed ($status): $* $(head -c 300 "$work/last.err")" >&2; exit $status; fi
  echo $(((e - s) / 1000))
}
# Peak memory of one run, in KiB; a failed command stops the bench.
peak() {
  /usr/bin/time -f %M -o "$work/peak" "$@" >/dev/null 2>"$work/last.err" ||
    { echo "bench.sh: failed: $* $(head -c 300 "$work/last.err")" >&2; exit 1; }
  cat "$work/peak"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# Variants of an exercise, generated with a fixed seed: gk-forward points inside their zone,
# large triangles whose angles close.
gk_variants() {
  awk -v n="$1" 'BEGIN { srand(5); print "Edit1,Edit2,Edit3,Edit6,Edit7,Edit8,Edit9,Edit10,Edit11"
    for (i = 0; i < n; i++) { lo = 21 + 6 * int(rand() * 10)
      printf "Г-%d,Студент %d,%d,%d,%d,%.4f,%d,%d,%.4f\n", i % 30, i, lo, 40 + int(rand() * 20), int(rand() * 60),
             rand() * 60, lo - 3 + int(rand() * 6), int(rand() * 60), rand() * 60 } }'
}
triangle_variants() {
  awk -v n="$1" 'BEGIN { srand(7); print "Edit1,Edit2,Edit3,Edit4,Edit6,Edit7,Edit9,Edit10,Edit11,Edit12,Edit15,Edit18,Edit19,Edit21,Edit22,Edit23"
    for (i = 0; i < n; i++) { a = 50 + rand() * 10; b = 60 + rand() * 5
      printf "Г-%d,Студент %d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%.3f,%d,%d\n", i % 30, i, int(a), int(rand() * 60), int(b),
             int(rand() * 60), int(180 - a - b), int(rand() * 60), int(rand() * 60), 48 + int(rand() * 4),
             46 + int(rand() * 4), 47, int(rand() * 60), 700000 + rand() * 200000, 44, int(rand() * 60) } }'
}

echo "kvelta-solve speed, as ratios against a bare QCoreApplication start ($(nproc) cores, $(date -u +%F))"
echo "each figure min / median / max of $repeats runs (41 for the start)"

# One exercise end to end, runs alternating with the bare program.
: >"$work/bare.t"; : >"$work/one.t"
for _ in $(seq 41); do
  micros "$bare" >>"$work/bare.t"
  micros "$solve" meridian-arc --decimal-separator . Edit3=50 Edit6=51 >>"$work/one.t"
done
bare_us=$(median <"$work/bare.t"); one_us=$(median <"$work/one.t")
printf '%-51s %s ms\n' "bare QCoreApplication start" "$(spread 1000 1 <"$work/bare.t")"
printf '%-51s %s ms, median %s x bare  (target <= 1.3)\n' "one exercise end to end (report to stdout)" \
  "$(spread 1000 1 <"$work/one.t")" "$(ratio "$one_us" "$bare_us")"

# Runs a command $repeats times, each after PREPARE (not timed; what it deletes is synced first,
# so that one run's clean-up is never the next one's cost). Prints a line.
timed() {  # LABEL TARGET PREPARE COMMAND...
  local label=$1 target=$2 prepare=$3 times=$work/times.t
  shift 3
  : >"$times"
  for _ in $(seq "$repeats"); do
    eval "$prepare"; sync
    micros "$@" >>"$times"
  done
  printf '%-56s %s s, median %s x bare%s\n' "$label" "$(spread 1000000 2 <"$times")" \
    "$(ratio "$(median <"$times")" "$bare_us")" "$([ "$target" = - ] || echo "  (target <= $target s)")"
}

# Batches with a report file per variant and summary.csv; one disk sync at the end.
batch() {  # NAME EXERCISE ROWS GENERATOR TARGET-SECONDS
  "$4" "$3" >"$work/$1.csv"
  local folder
  for folder in "$memory" "$work"; do
    timed "--batch of $3 $2 variants $([ "$folder" = "$memory" ] && echo "in memory" || echo "on disk")" "$5" \
      "rm -rf '$folder/out'" "$solve" "$2" --decimal-separator . --batch "$work/$1.csv" --out-dir "$folder/out"
  done
  rm -rf "$memory/out" "$work/out"
}
batch gk10k gk-forward 10000 gk_variants 2
batch tri10k large-triangle 10000 triangle_variants 4

# --rigorous reuses the computed tables; the rigorous side costs what GeographicLib costs.
gk_variants 10000 >"$work/gk.csv"
timed "--batch of 10000 gk-forward --rigorous in memory" - "rm -rf '$memory/rig'" \
  "$solve" gk-forward --decimal-separator . --rigorous --batch "$work/gk.csv" --out-dir "$memory/rig"
rm -rf "$memory/rig"

# Peak memory of a batch at 1 000 and at 100 000 variants: it must not grow with the batch.
for rows in 1000 100000; do
  gk_variants "$rows" >"$work/mem.csv"
  : >"$work/mem.t"
  for _ in $(seq "$repeats"); do
    rm -rf "$memory/mem"
    peak "$solve" gk-forward --decimal-separator . --batch "$work/mem.csv" --out-dir "$memory/mem" >>"$work/mem.t"
  done
  printf '%-56s %s MiB  (target <= 40 MiB)\n' "peak memory, --batch of $rows gk-forward" "$(spread 1024 0 <"$work/mem.t")"
  rm -rf "$memory/mem"
done

# What a key's PDF costs a page: the group's keys with PDFs and the answer book less the same
# keys without them, over every page drawn (the keys' and the book's). Runs with and without
# alternate; with KVELTA_BENCH_BEFORE=OTHER-BUILD, that build's runs alternate with them too, so
# that a before and an after are measured side by side on one busy machine.
pdf_per_page() {  # EXERCISE VARIANTS
  local builds=("$solve") labels=("") build k pages f
  if [ -n "${KVELTA_BENCH_BEFORE:-}" ]; then
    builds+=("$KVELTA_BENCH_BEFORE/src/solve/kvelta-solve"); labels=(" (this build)" " (before: $KVELTA_BENCH_BEFORE)")
  fi
  for k in "${!builds[@]}"; do : >"$work/with$k.t"; : >"$work/without$k.t"; done
  for _ in $(seq "$repeats"); do
    for k in "${!builds[@]}"; do
      build=${builds[$k]}
      rm -rf "$memory/keys"; sync
      micros "$build" "$1" --batch "$2" --keys "$memory/keys" --no-pdf >>"$work/without$k.t"
      rm -rf "$memory/keys"; sync
      micros "$build" "$1" --batch "$2" --keys "$memory/keys" >>"$work/with$k.t"
    done
  done
  pages=0
  for f in "$memory/keys"/*.pdf; do pages=$((pages + $(pdfinfo "$f" | awk '/^Pages:/ { print $2 }'))); done
  for k in "${!builds[@]}"; do
    printf '%-56s %s ms%s\n' "PDF ms per page, $1 ($pages pages)" \
      "$(awk -v a="$(median <"$work/with$k.t")" -v b="$(median <"$work/without$k.t")" -v p="$pages" \
         'BEGIN { printf "%.1f", (a - b) / p / 1000 }')" "${labels[$k]}  (target <= 5 ms)"
  done
  rm -rf "$memory/keys"
}

# An instructor's group: 1000 drawn variants (each checked by computing it) and their batch with
# text reports; answer keys for a group of 30, without PDFs and with them (and the answer book).
for exercise in gk-forward large-triangle; do
  timed "--make-variants 1000 $exercise" 2 : "$solve" "$exercise" --make-variants 1000 --out "$work/v-$exercise.csv"
  timed "--batch of the 1000 $exercise variants" 2 "rm -rf '$memory/v'" \
    "$solve" "$exercise" --batch "$work/v-$exercise.csv" --out-dir "$memory/v"
  "$solve" "$exercise" --make-variants 30 --out "$work/g-$exercise.csv"
  timed "--keys --no-pdf, a group of 30 $exercise" 1 "rm -rf '$memory/keys'" \
    "$solve" "$exercise" --batch "$work/g-$exercise.csv" --keys "$memory/keys" --no-pdf
  timed "--keys with PDFs and book, group of 30 $exercise" - "rm -rf '$memory/keys'" \
    "$solve" "$exercise" --batch "$work/g-$exercise.csv" --keys "$memory/keys"
  pdf_per_page "$exercise" "$work/g-$exercise.csv"
done
rm -rf "$memory/v" "$memory/keys"

# Idle CPU: Kvelta with nine exercise windows open beside a bare Qt window, both on the same
# display (Xvfb when there is one, else Qt's offscreen platform), over the same ten seconds.
# /proc/PID/stat fields 14 and 15: user and system time in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
idle_cpu() {
  "$work/idle-bench" 2>/dev/null & local kvelta=$!
  "$bare_window" 2>/dev/null & local bare_pid=$!
  sleep 3
  local k0 b0 k1 b1 hz=$(getconf CLK_TCK) seconds=10
  k0=$(cpu_ticks $kvelta); b0=$(cpu_ticks $bare_pid)
  sleep $seconds
  k1=$(cpu_ticks $kvelta); b1=$(cpu_ticks $bare_pid)
  kill $kvelta $bare_pid; wait $kvelta $bare_pid 2>/dev/null || true
  awk -v k=$((k1 - k0)) -v b=$((b1 - b0)) -v hz="$hz" -v s=$seconds -v where="$1" 'BEGIN {
    printf "%-51s %6.2f %% of a core, bare Qt window %.2f %%  (target <= 0.5 %%)\n", \
      "idle, nine exercise windows open (" where ")", 100 * k / hz / s, 100 * b / hz / s }'
}
cp "$build/src/app/kvelta-idle-bench" "$work/idle-bench"
if command -v xvfb-run >/dev/null; then
  # xvfb-run is a POSIX shell script: the functions go in as text, not through the environment.
  work=$work bare_window=$bare_window xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash -c "$(declare -f cpu_ticks idle_cpu); idle_cpu Xvfb"
else
  QT_QPA_PLATFORM=offscreen idle_cpu offscreen
fi

echo
bash scripts/bench/web.sh "$build/src/web/kvelta-web"
