#!/usr/bin/env bash
# Speed of kvelta-solve, each figure a ratio against a bare Qt program (a QCoreApplication that
# starts and quits) measured side by side in the same run, so that a busy machine slows both.
# Then kvelta-web under wrk (scripts/bench/web.sh); `scripts/bench.sh BUILD-DIR web` measures only that.
# Usage: scripts/bench.sh [BUILD-DIR] [web]   (default build-release, configured here as Release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVELTA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target kvelta-solve kvelta-idle-bench kvelta-web >/dev/null
if [ "${2:-}" = web ]; then
  exec bash scripts/bench/web.sh "$build/src/web/kvelta-web"
fi
solve=$build/src/solve/kvelta-solve
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
# Wall time of one run of a command, in microseconds.
micros() { local s e; s=$(now); "$@" >/dev/null 2>&1 || true; e=$(now); echo $(((e - s) / 1000)); }
# Peak memory of one run, in KiB.
peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }
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

# One exercise end to end, runs alternating with the bare program.
: >"$work/bare.t"; : >"$work/one.t"
for _ in $(seq 41); do
  micros "$bare" >>"$work/bare.t"
  micros "$solve" meridian-arc --decimal-separator . Edit3=50 Edit6=51 >>"$work/one.t"
done
bare_us=$(median <"$work/bare.t"); one_us=$(median <"$work/one.t")
printf '%-51s %6.1f ms %6s x bare\n' "bare QCoreApplication start" "$(ratio "$bare_us" 1000)" 1.00
printf '%-51s %6.1f ms %6s x bare  (target <= 1.3)\n' "one exercise end to end (report to stdout)" \
  "$(ratio "$one_us" 1000)" "$(ratio "$one_us" "$bare_us")"

# Batches with a report file per variant and summary.csv; one disk sync at the end.
batch() {  # NAME EXERCISE ROWS GENERATOR TARGET-SECONDS
  "$4" "$3" >"$work/$1.csv"
  local folder s e us cpu kib
  for folder in "$memory" "$work"; do
    rm -rf "$folder/out"
    s=$(now)
    cpu=$(/usr/bin/time -f '%U %S' "$solve" "$2" --decimal-separator . --batch "$work/$1.csv" --out-dir "$folder/out" 2>&1 >/dev/null |
          tail -n 1 | awk '{ printf "%.2f", $1 + $2 }')
    e=$(now)
    us=$(((e - s) / 1000))
    printf '%-40s %-10s %6.2f s  %6s x bare  (target <= %s s), CPU %s s\n' "--batch of $3 $2 variants" \
      "$([ "$folder" = "$memory" ] && echo "in memory" || echo "on disk")" "$(ratio "$us" 1000000)" \
      "$(ratio "$us" "$bare_us")" "$5" "$cpu"
  done
  rm -rf "$memory/out"
  kib=$(peak "$solve" "$2" --decimal-separator . --batch "$work/$1.csv" --out-dir "$memory/out")
  printf '%-40s peak memory %d MiB (target <= 40 MiB)\n' "" $((kib / 1024))
  rm -rf "$memory/out" "$work/out"
}
batch gk10k gk-forward 10000 gk_variants 2
batch tri10k large-triangle 10000 triangle_variants 4

# --rigorous reuses the computed tables; the rigorous side costs what GeographicLib costs.
gk_variants 10000 >"$work/gk.csv"
s=$(now); "$solve" gk-forward --decimal-separator . --rigorous --batch "$work/gk.csv" --out-dir "$memory/rig" 2>/dev/null || true; e=$(now)
printf '%-40s %-10s %6.2f s  %6s x bare\n' "--batch of 10000 gk-forward --rigorous" "in memory" \
  "$(ratio $(((e - s) / 1000)) 1000000)" "$(ratio $(((e - s) / 1000)) "$bare_us")"

# An instructor's group: 1000 drawn variants (each checked by computing it) and their batch with
# text reports; answer keys for a group of 30, without PDFs and with them (and the answer book).
timed() {  # LABEL TARGET-SECONDS|- COMMAND...
  local label=$1 target=$2 s e
  shift 2
  s=$(now); "$@" >/dev/null 2>&1 || true; e=$(now)
  printf '%-51s %6.2f s  %6s x bare  %s\n' "$label" "$(ratio $(((e - s) / 1000)) 1000000)" \
    "$(ratio $(((e - s) / 1000)) "$bare_us")" "$([ "$target" = - ] || echo "(target <= $target s)")"
}
for exercise in gk-forward large-triangle; do
  timed "--make-variants 1000 $exercise" 2 "$solve" "$exercise" --make-variants 1000 --out "$work/v-$exercise.csv"
  rm -rf "$memory/v"
  timed "--batch of the 1000 $exercise variants" 2 "$solve" "$exercise" --batch "$work/v-$exercise.csv" --out-dir "$memory/v"
  "$solve" "$exercise" --make-variants 30 --out "$work/g-$exercise.csv"
  rm -rf "$memory/keys"
  timed "--keys --no-pdf, a group of 30 $exercise" 1 "$solve" "$exercise" --batch "$work/g-$exercise.csv" \
    --keys "$memory/keys" --no-pdf
  rm -rf "$memory/keys"
  timed "--keys with PDFs and book, group of 30 $exercise" - "$solve" "$exercise" \
    --batch "$work/g-$exercise.csv" --keys "$memory/keys"
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
