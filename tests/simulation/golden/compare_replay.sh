#!/usr/bin/env bash
# Plays race.script through replay_race and compares its digests, tick by tick, with the recorded ones.
# compare_replay.sh <replay_race> plain|debug <this folder>
set -euo pipefail
tool=$1 variant=$2 golden=$3
args=(--digests --time-of-day "$(cat "$golden/seed")")
[[ $variant == debug ]] && args+=(--debug)
played=$(mktemp)
trap 'rm -f "$played"' EXIT
"$tool" "${args[@]}" <"$golden/race.script" >"$played"
recorded=$golden/race-$variant.digests
if ! cmp -s "$played" "$recorded"; then
  line=$(cmp "$played" "$recorded" | sed -n 's/.*line \([0-9]*\).*/\1/p')
  line=${line:-$(($(wc -l <"$recorded") + 1))}
  echo "the race left its recording at line $line"
  echo "recorded: $(sed -n "${line}p" "$recorded")"
  echo "played:   $(sed -n "${line}p" "$played")"
  exit 1
fi
echo "$(wc -l <"$recorded") ticks as recorded"
