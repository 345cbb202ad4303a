#!/usr/bin/env bash
# Sets up the machine, builds Kvelta and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
exec ./build/src/app/kvelta
