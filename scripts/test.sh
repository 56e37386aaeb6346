#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test: once optimised, once under the sanitizers,
# then the fuzz targets and a soak of the real program. Every build treats a warning as an error (QUIBO_WERROR).
# Each step has a time limit, so a hang outside the tests' own timeouts fails the run with the step's name; the
# end prints how long each step took. The first failing step ends the run with a non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."

preset_step() {
  cmake --preset "$1" -DQUIBO_WERROR=ON >/dev/null
  cmake --build --preset "$1"
  ctest --preset "$1" -j2
}
fuzz_step() {
  cmake --preset fuzz -DQUIBO_WERROR=ON >/dev/null
  scripts/fuzz.sh 30
}
# The soak mostly waits on the program it drives, so the fuzzers run beside it on the other core.
fuzz_and_soak_step() {
  scripts/soak.sh 120 &
  local soak=$! status=0
  fuzz_step || status=$?
  wait "$soak" || status=$((status ? status : $?))
  return "$status"
}
export -f preset_step fuzz_step fuzz_and_soak_step

# Limits about twice what each step takes on a bare two-core machine.
steps=(
  "setup 1200 scripts/setup.sh"
  "release 1200 preset_step release"
  "asan 1800 preset_step asan"
  "fuzz+soak 600 fuzz_and_soak_step"
)

report=()
summary() {
  local status=$?
  echo "== step times =="
  local line
  for line in "${report[@]}"; do echo "  $line"; done
  exit "$status"
}
trap summary EXIT

for entry in "${steps[@]}"; do
  read -r name limit command <<<"$entry"
  echo "== $name =="
  started=$SECONDS
  status=0
  # timeout stops the step's whole process group (builds, ctest and the programs it started) at the limit.
  # That group is not the terminal's: an interrupt is handed on to it.
  timeout --kill-after=30 "$limit" bash -c "set -euo pipefail; $command" &
  step=$!
  trap 'kill -TERM $step 2>/dev/null; wait $step; exit 130' INT TERM
  wait "$step" || status=$?
  trap - INT TERM
  took=$((SECONDS - started))
  if ((status == 124 || (status == 137 && took >= limit))); then
    report+=("$(printf '%-8s %5d s  TIMED OUT after %d s' "$name" "$took" "$limit")")
    echo "step $name timed out after $limit s"
    exit 1
  elif ((status != 0)); then
    report+=("$(printf '%-8s %5d s  FAILED (%d)' "$name" "$took" "$status")")
    echo "step $name failed with status $status"
    exit "$status"
  fi
  report+=("$(printf '%-8s %5d s' "$name" "$took")")
done
report+=("$(printf '%-8s %5d s' total "$SECONDS")")
