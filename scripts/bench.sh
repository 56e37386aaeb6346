#!/usr/bin/env bash
# Runs the benchmarks, each row beside its peer in the same run, and prints minimum and median with their
# ratios; the same goes to build/release/bench-results.json. Arguments go to the benchmark program (for
# instance --benchmark_filter=Hull).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target quibo_bench >/dev/null
exec build/release/bench/quibo_bench --json build/release/bench-results.json "$@"
