#!/usr/bin/env bash
# Sets up the machine, builds kvelta-web and starts it: open http://127.0.0.1:8080/ in a browser.
# Arguments go to kvelta-web (--listen 0.0.0.0:8080 to serve other computers of the network).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kvelta-web
exec ./build/src/web/kvelta-web "$@"
