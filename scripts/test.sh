#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test: once optimised, once under the sanitizers.
# Every build treats a warning as an error (QUIBO_WERROR).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in release asan; do
  echo "== $preset =="
  cmake --preset "$preset" -DQUIBO_WERROR=ON >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
done
echo "== fuzz =="
cmake --preset fuzz -DQUIBO_WERROR=ON >/dev/null
scripts/fuzz.sh 30
echo "== soak =="
scripts/soak.sh 120
