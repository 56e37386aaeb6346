#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer) and runs each one
# for the given seconds from its seeds and stored regressions. New inputs found go to build/fuzz/work/, not into
# the tree. A crash, leak, sanitizer report, timeout (2 s) or memory use above 1 GiB fails the run; the input
# is left in build/fuzz/artifacts/ and belongs in fuzz/regressions/<target>/ once mended.
# Usage: scripts/fuzz.sh [seconds per target] [target...]   (default 30 s, every target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(bitmap jpeg stored_picture rotated_draw net_message)
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

failed=0
for target in "${targets[@]}"; do
  work=build/fuzz/work/$target
  artifacts=build/fuzz/artifacts/$target
  mkdir -p "$work" "$artifacts"
  log=build/fuzz/$target.log
  seeds=(fuzz/corpus/$target)
  [[ -d fuzz/regressions/$target ]] && seeds+=(fuzz/regressions/$target)
  echo "== fuzz_$target, ${seconds} s =="
  # Inputs stay below 8 KiB: a mutated picture could otherwise claim, and carry the data for, a picture
  # that takes seconds to decode under the sanitizers. Longer seeds are cut to that length (the
  # regression test replays them whole).
  if build/fuzz/fuzz/fuzz_$target "$work" "${seeds[@]}" -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=2 \
    -max_len=8192 -artifact_prefix="$artifacts/" -print_final_stats=1 >"$log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true
    grep -E '^stat::number_of_executed_units' "$log" || true
  else
    failed=1
    tail -n 40 "$log"
    echo "fuzz_$target FAILED: see $log and $artifacts/"
  fi
done
exit $failed
