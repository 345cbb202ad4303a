#!/usr/bin/env bash
# Fails, listing them, when a function in the given source folder is longer than the limit
# (default 100 lines). pmccabe measures each function from its first line to its closing brace;
# a lambda counts with the function it is written in.
set -euo pipefail

folder=${1:?usage: check_function_lengths.sh SOURCE_FOLDER [LIMIT]}
limit=${2:-100}
command -v pmccabe >/dev/null || { echo "pmccabe is not installed (scripts/setup.sh installs it)" >&2; exit 2; }

mapfile -t files < <(find "$folder" \( -name '*.cpp' -o -name '*.h' \) -type f | sort)
[ ${#files[@]} -gt 0 ] || { echo "no C++ files under $folder" >&2; exit 2; }

# Columns: modified and traditional complexity, statements, first line, lines, "file(line): name".
measured=$(pmccabe "${files[@]}" 2>/dev/null)
[ -n "$measured" ] || { echo "pmccabe measured no function under $folder" >&2; exit 2; }

long=$(awk -v limit="$limit" -F'\t' '$5 > limit { print $5 " lines: " $6 }' <<<"$measured" | sort -rn)
if [ -n "$long" ]; then
  echo "Functions longer than $limit lines (split them):"
  echo "$long"
  exit 1
fi
echo "$(wc -l <<<"$measured") functions, none longer than $limit lines"
