#!/usr/bin/env bash
# Measures the running game under Xvfb: ticks per second, processor share, resident memory and heap, and how
# soon the first frame came.
# Usage: scripts/measure.sh [seconds] [--screen WIDTHxHEIGHT] [--scale FACTOR] [--fullscreen]   (builds first
# if needed). --scale sets Qt's scale factor; --fullscreen presses F11 before measuring.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=20
fullscreen=
game_screen=
game_env=
while [[ $# -gt 0 ]]; do
  case $1 in
    --screen) game_screen=$2; shift 2 ;;
    --scale) game_env="QT_SCALE_FACTOR=$2"; shift 2 ;;
    --fullscreen) fullscreen=1; shift ;;
    *) seconds=$1; shift ;;
  esac
done
source scripts/game-desktop.sh
start_game_desktop
log=$game_log
if [[ -n $fullscreen ]]; then
  xdotool key F11
  sleep 1
  activate_game
fi
sleep 4

ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
hz=$(getconf CLK_TCK)
start_cpu=$(ticks)
start_lines=$(wc -l <"$log")
sleep "$seconds"
end_cpu=$(ticks)

sed -n 's/^first frame at: \([0-9]*\) .*/\1/p' "$log" | awk -v t="$launched" '{printf "first frame after launch: %d ms\n", $1 - t}'
sed -n 's/^first frame after: /first frame after start of main: /p' "$log"
rates=$(tail -n +"$((start_lines + 1))" "$log" | sed -n 's/^ticks per second: //p')
echo "ticks per second over ${seconds} s: $(echo $rates | tr ' ' ',')"
echo "$rates" | awk '{s += $1; if (min == "" || $1 < min) min = $1; if ($1 > max) max = $1; n++}
  END {printf "  mean %.1f, min %d, max %d\n", s / n, min, max}'
awk -v a="$start_cpu" -v b="$end_cpu" -v hz="$hz" -v s="$seconds" \
  'BEGIN {printf "processor time: %.1f%% of one core\n", (b - a) / hz / s * 100}'
awk '/^VmRSS/ {printf "resident memory: %.1f MB\n", $2 / 1024}' "/proc/$game/status"
tail -n 5 "$log" | sed -n 's/^heap in use: \([0-9]*\) bytes/\1/p' | tail -n 1 |
  awk '{printf "heap in use: %.1f MB\n", $1 / 1048576}'
