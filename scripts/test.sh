#!/usr/bin/env bash
# Sets up the machine, builds Kvelta and runs every test: once in the ordinary build, once
# built with AddressSanitizer and UndefinedBehaviorSanitizer (any report fails the run).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DKVELTA_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

bash scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$jobs"
