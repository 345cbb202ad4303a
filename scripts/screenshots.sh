#!/usr/bin/env bash
# Takes the screenshots of data/screenshots/ (shown by the AppStream metainfo): the real program
# under Xvfb with the openbox window manager, 1024 x 768.
# Usage: scripts/screenshots.sh [BUILD-DIR]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target kvelta-screenshots >/dev/null
mkdir -p data/screenshots
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  openbox & wm=$!
  sleep 1
  LANG=ru_RU.UTF-8 "$1/src/app/kvelta-screenshots" data/screenshots
  kill $wm' bash "$build"
ls -l data/screenshots
