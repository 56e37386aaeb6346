#!/usr/bin/env bash
# Plays a golden script through replay_race and compares its output (digests after every tick, and a
# regatta's events), line by line, with the recorded one.
# compare_replay.sh <replay_race> plain|debug <this folder> [race|regatta [more replay_race options...]]
set -euo pipefail
tool=$1 variant=$2 golden=$3 name=${4:-race}
shift $(($# < 4 ? $# : 4))
seed=$golden/seed
[[ $name != race ]] && seed=$golden/$name.seed
args=(--digests --time-of-day "$(cat "$seed")")
[[ $variant == debug ]] && args+=(--debug)
args+=("$@")
played=$(mktemp)
trap 'rm -f "$played"' EXIT
"$tool" "${args[@]}" <"$golden/$name.script" >"$played"
recorded=$golden/$name-$variant.digests
if ! cmp -s "$played" "$recorded"; then
  line=$(cmp "$played" "$recorded" | sed -n 's/.*line \([0-9]*\).*/\1/p')
  line=${line:-$(($(wc -l <"$recorded") + 1))}
  echo "the $name left its recording at line $line"
  echo "recorded: $(sed -n "${line}p" "$recorded")"
  echo "played:   $(sed -n "${line}p" "$played")"
  exit 1
fi
echo "$(wc -l <"$recorded") lines as recorded"
