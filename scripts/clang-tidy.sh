#!/usr/bin/env bash
# clang-tidy with the repo's .clang-tidy over the program's sources (Core, Interfaces,
# Services, UI, tools; not tests or benchmarks), two files at a time, from the compile commands
# of a build tree. Any finding fails. Prints the time it took.
#   scripts/clang-tidy.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
root=$(pwd)
output=$(mktemp)
trap 'rm -f "$output"' EXIT

start=$(date +%s)
# The exit status tells only that some file had findings; the findings are read below.
# Warnings are errors in the build; here a compiler warning is one finding more, and never
# stops the analysis of its file.
run-clang-tidy -p "$build" -j "${TIDY_JOBS:-2}" -quiet -extra-arg=-Wno-error \
  "^$root/(Core|Interfaces|Services|UI|tools)/.*\.cpp$" 2>&1 | sed 's/\x1b\[[0-9;]*m//g' >"$output" || true
echo "clang-tidy: $(($(date +%s) - start)) s"

# Findings in headers come once per file that includes them: each is listed once.
findings=$(grep -E "^$root/.*:[0-9]+:[0-9]+: (warning|error): |^error: " "$output" | sort -u || true)
if [ -n "$findings" ]; then
  echo "$findings"
  echo "clang-tidy: $(echo "$findings" | wc -l) finding(s)"
  exit 1
fi
echo "clang-tidy: no findings"
