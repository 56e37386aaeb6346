#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test: once optimised, once under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in release asan; do
  echo "== $preset =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
done
echo "== fuzz =="
scripts/fuzz.sh 30
echo "== soak =="
scripts/soak.sh 120
