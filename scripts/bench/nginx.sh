#!/usr/bin/env bash
# kvelta-web behind nginx on loopback, with wrk: computed gk-forward pages at 32 connections, from
# one instance directly, one instance behind nginx, and two instances behind nginx (nginx spreads
# the requests over them). All on this machine: wrk, nginx and the instances share its cores, so
# two instances here show that nothing needs sharing and what the proxy costs, not what a second
# machine adds. A benchmark, not a test.
# usage: scripts/bench/nginx.sh KVELTA-WEB [SECONDS]
set -euo pipefail
web=$1 seconds=${2:-20}
command -v nginx >/dev/null || { echo "nginx.sh: nginx is not installed (scripts/setup.sh installs it)" >&2; exit 2; }
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; [ -f "$work/nginx.pid" ] && kill "$(cat "$work/nginx.pid")" 2>/dev/null; rm -rf "$work"' EXIT
query="Edit1=%D0%93%D0%94-21&Edit3=21&Edit6=51&Edit7=38&Edit8=44%2C0822&Edit9=24&Edit10=2&Edit11=13%2C1579&sep=%2C&do=compute"

ports=()
start_instance() {  # N; adds the instance's port to ports
  "$web" --listen 127.0.0.1:0 >"$work/out.$1" 2>/dev/null &
  pids+=($!)
  for _ in $(seq 100); do grep -q listening "$work/out.$1" && break; sleep 0.1; done
  ports+=("$(sed -n 's|.*:\([0-9]*\)/$|\1|p' "$work/out.$1")")
}
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
start_nginx() {  # PORT UPSTREAM-PORT...
  local port=$1 servers=""
  shift
  for upstream in "$@"; do servers+="server 127.0.0.1:$upstream; "; done
  cat >"$work/nginx.conf" <<EOF
worker_processes auto;
pid $work/nginx.pid;
error_log $work/error.log;
events { worker_connections 1024; }
http {
    access_log off;
    client_body_temp_path $work/body; proxy_temp_path $work/proxy; fastcgi_temp_path $work/fastcgi;
    uwsgi_temp_path $work/uwsgi; scgi_temp_path $work/scgi;
    upstream kvelta { $servers keepalive 32; }
    server {
        listen 127.0.0.1:$port;
        location / {
            proxy_pass http://kvelta;
            proxy_http_version 1.1;
            proxy_set_header Connection "";
            proxy_buffers 16 16k;
            proxy_max_temp_file_size 0;
        }
    }
}
EOF
  nginx -c "$work/nginx.conf" -p "$work"
  for _ in $(seq 100); do curl -fs -o /dev/null "http://127.0.0.1:$port/" && break; sleep 0.1; done
}
stop_nginx() { kill "$(cat "$work/nginx.pid")"; for _ in $(seq 100); do [ -f "$work/nginx.pid" ] || break; sleep 0.1; done; }
load() {  # LABEL URL
  curl -fsS "$2" | grep -q '5728' || { echo "nginx.sh: $1 does not compute" >&2; exit 1; }
  wrk -t2 -c32 -d3s "$2" >/dev/null  # warm up
  wrk -t2 -c32 -d"${seconds}"s --latency --timeout 10s "$2" >"$work/wrk"
  awk -v label="$1" '
    /Requests\/sec/ { rps = $2 }
    / 50%/ { p50 = $2 }
    / 99%/ { p99 = $2 }
    /Non-2xx/ { non2xx = $5 }
    /Socket errors/ { errors = $0 }
    END { printf "%-40s %7.0f pages/s  p50 %-8s p99 %-8s non-2xx %d  %s\n", label, rps, p50, p99, non2xx + 0, errors ? errors : "no socket errors" }' "$work/wrk"
}

echo "kvelta-web behind nginx on loopback ($(nproc) cores, $(date -u +%F), load average $(cut -d' ' -f1-3 /proc/loadavg))"
echo "computed gk-forward pages, wrk 32 connections, ${seconds} s each; wrk, nginx and the instances on the same cores"
start_instance 1
start_instance 2
first=${ports[0]} second=${ports[1]}
load "one instance, directly" "http://127.0.0.1:$first/gk-forward?$query"
proxy=$(free_port)
start_nginx "$proxy" "$first"
load "one instance behind nginx" "http://127.0.0.1:$proxy/gk-forward?$query"
stop_nginx
start_nginx "$proxy" "$first" "$second"
load "two instances behind nginx" "http://127.0.0.1:$proxy/gk-forward?$query"
stop_nginx
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
