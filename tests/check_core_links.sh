#!/usr/bin/env bash
# The core knows no windows, as a fact of the binaries: kvelta-solve links no Qt Widgets, and the
# programs built from the core alone link neither Qt Gui nor Qt Widgets.
# Usage: check_core_links.sh KVELTA_SOLVE CORE_PROGRAM...
set -uo pipefail
needed() { readelf -d "$1" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p'; }
status=0
if needed "$1" | grep -q 'libQt6Widgets'; then
  echo "kvelta-solve links Qt Widgets"
  status=1
fi
shift
for program in "$@"; do
  if found=$(needed "$program" | grep -E 'libQt6(Gui|Widgets)'); then
    echo "$(basename "$program"), built from the core alone, links: $found"
    status=1
  fi
done
[ $status -eq 0 ] && echo "the core links Qt Core only; kvelta-solve links no widgets"
exit $status
