#!/usr/bin/env bash
# kvelta-web under load on loopback, with wrk: computed gk-forward pages at 32 connections for 20 s,
# PDFs, and the same load against a bare "hello" of the same HTTP library, for the ratio. Resident
# memory is sampled every second; its spread is given from the 5th second to the end.
# usage: scripts/bench/web.sh KVELTA-WEB [SECONDS]
set -euo pipefail
web=$1 seconds=${2:-20}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
# shellcheck disable=SC2046
g++ -O2 "$(dirname "$0")/hello_httplib.cpp" -o "$work/hello" $(pkg-config --cflags --libs cpp-httplib)

start() {  # COMMAND... ; sets pid and base
  "$@" >"$work/out" 2>/dev/null &
  pid=$!
  for _ in $(seq 100); do grep -q listening "$work/out" && break; sleep 0.1; done
  base=$(grep -o 'http://[^ ]*' "$work/out" | sed 's|/$||')
}
rss() { awk '/VmRSS/ { print $2 }' "/proc/$1/status"; }
# wrk with latency, the resident memory sampled each second beside it.
load() {  # LABEL CONNECTIONS SECONDS URL
  : >"$work/rss"
  nstat -n >/dev/null 2>&1 || true
  (for _ in $(seq "$3"); do rss "$pid" >>"$work/rss"; sleep 1; done) &
  local sampler=$!
  wrk -t2 -c"$2" -d"$3"s --latency --timeout 10s "$4" >"$work/wrk"
  wait $sampler || true
  # Connections a listen queue dropped, on the whole machine (TCP retries them a second later).
  local overflows
  overflows=$(nstat 2>/dev/null | awk '/ListenOverflows/ { print $2 }')
  awk -v label="$1" -v c="$2" -v overflows="${overflows:-0}$(command -v nstat >/dev/null || echo " (no nstat)")" '
    /Requests\/sec/ { rps = $2 }
    / 99%/ { p99 = $2 }
    /Non-2xx/ { non2xx = $5 }
    /Socket errors/ { errors = $0 }
    / 50%/ { p50 = $2 }
    END { printf "%-34s %3d conn  %9.0f req/s  p50 %-8s p99 %-9s non-2xx %s  %s; listen overflows %s\n", label, c, rps, p50, p99, non2xx + 0,
                 errors ? errors : "no socket errors", overflows }' "$work/wrk"
  awk 'NR >= 5 { if (min == "" || $1 < min) min = $1; if ($1 > max) max = $1 }
       END { if (min) printf "%-34s resident memory from the 5th second: %d..%d KiB (spread %+.1f %%)\n", "", min, max, 100 * (max - min) / min }' "$work/rss"
}

echo "kvelta-web under wrk on loopback ($(nproc) cores, $(date -u +%F), load average $(cut -d' ' -f1-3 /proc/loadavg))"
start "$web"
page="$base/gk-forward?Edit1=%D0%93%D0%94-21&Edit3=21&Edit6=51&Edit7=38&Edit8=44%2C0822&Edit9=24&Edit10=2&Edit11=13%2C1579&sep=%2C&do=compute"
curl -fsS "$page" | grep -q '5728' || { echo "the page does not compute"; exit 1; }
wrk -t2 -c32 -d3s "$page" >/dev/null  # warm up
load "computed gk-forward page" 32 "$seconds" "$page"
pdf="${page/gk-forward?/gk-forward/report.pdf?}"
load "gk-forward PDF" 8 10 "$pdf"
kill "$pid"; wait "$pid" || true
start "$work/hello"
load "bare hello of cpp-httplib" 32 "$seconds" "$base/"
kill "$pid"; wait "$pid" || true
