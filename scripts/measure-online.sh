#!/usr/bin/env bash
# Measures an online race on this machine: two programs, each on its own virtual display with a window manager
# (as two machines would be), the joiner going through tools/lossy_proxy where a round trip is added.
# Both players steer all the while (keys held and let go at their own pace), so that guesses of the other's
# tiller go wrong as they would in a race. Prints, beside one local race: the processor share of each
# program, bytes and packets per second each way, the input delay, the rollbacks (a second, their mean and
# longest length, ticks let pass for time sync) at 0, 50, 150 and 300 ms of added round trip.
# Usage: scripts/measure-online.sh [seconds]   (builds first if needed)
# QUIBO_GAME=path measures another build of the program (an older one, to compare).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target QuiboTrainer lossy_proxy >/dev/null
game_binary=${QUIBO_GAME:-build/release/app/QuiboTrainer}
proxy_binary=build/release/tools/lossy_proxy

pids=()
logs=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -f "${logs[@]}"; }
trap cleanup EXIT

# Starts Xvfb and openbox on a free display; sets display.
start_display() {
  local number=120
  while [[ -e /tmp/.X11-unix/X$number || -e /tmp/.X$number-lock ]]; do number=$((number + 1)); done
  display=:$number
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  DISPLAY=$display openbox >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
}

# Starts the game on a display and activates its window. Usage: start_game DISPLAY LOG args...; sets game.
start_game() {
  local on=$1 log=$2
  shift 2
  DISPLAY=$on QT_QPA_PLATFORM=xcb QUIBO_REPORT_RATE=1 "$game_binary" "$@" 2>"$log" &
  game=$!
  pids+=($game)
  local window=
  for _ in $(seq 150); do
    window=$(DISPLAY=$on xdotool search --name 'QuiboTrainer v.1.0' 2>/dev/null | head -n 1 || true)
    [[ -n $window ]] && break
    sleep 0.1
  done
  [[ -n $window ]] || { echo "the game's window did not appear on $on"; exit 1; }
  DISPLAY=$on xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

# Processor share of the processes over the measured seconds, as "pid:percent" words.
measure_cpu() {
  local before=() after=() i
  for p in "$@"; do before+=("$(cpu_ticks "$p")"); done
  sleep "$seconds"
  for p in "$@"; do after+=("$(cpu_ticks "$p")"); done
  for i in "${!before[@]}"; do
    awk -v a="${before[$i]}" -v b="${after[$i]}" -v hz="$hz" -v s="$seconds" 'BEGIN {printf "%.1f ", (b - a) / hz / s * 100}'
  done
}

# Per second over the last report lines of a log: "sent B/s P/s received B/s P/s, delay D, round trip R".
traffic() {
  grep '^online:' "$1" | tail -n "$((seconds > 3 ? seconds - 2 : 1))" | awk '
    NR == 1 {t0 = $3; s0 = $11; sp0 = $13; r0 = $16; rp0 = $18}
    {t = $3; s = $11; sp = $13; r = $16; rp = $18; d = $5; rt = $8; n = NR}
    END {n -= 1; if (n < 1) n = 1
         printf "sent %.0f B/s in %.1f packets/s, received %.0f B/s in %.1f packets/s, %.1f ticks/s, delay %d ticks, round trip %d ms",
           (s - s0) / n, (sp - sp0) / n, (r - r0) / n, (rp - rp0) / n, (t - t0) / n, d, rt}'
}

# The rollbacks over the last report lines of a log: "R rollbacks/s of M ticks on average, the longest L, Y yielded".
rollbacks() {
  grep '^online:' "$1" | tail -n "$((seconds > 3 ? seconds - 2 : 1))" | awk '
    NR == 1 {b0 = $23; a0 = $25; y0 = $29}
    {b = $23; a = $25; l = $27; y = $29; n = NR}
    END {n -= 1; if (n < 1) n = 1
         printf "%.1f rollbacks/s of %.2f ticks on average, the longest %d, %d ticks let pass",
           (b - b0) / n, (b > b0 ? (a - a0) / (b - b0) : 0), l, y - y0}'
}

# Holds a steering key down and lets it go at a pace of its own on a display, until killed.
steer() {
  local on=$1 left=$2 right=$3 hold=$4
  while true; do
    DISPLAY=$on xdotool keydown "$left"; sleep "$hold"; DISPLAY=$on xdotool keyup "$left"; sleep 0.4
    DISPLAY=$on xdotool keydown "$right"; sleep "$hold"; DISPLAY=$on xdotool keyup "$right"; sleep 0.7
  done
}

stop_all() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; pids=(); }

log=$(mktemp); logs+=("$log")
start_display
start_game "$display" "$log"
sleep 3
local_share=$(measure_cpu "$game")
echo "local race: ${local_share}% of one core"
stop_all

port=$((30000 + $$ % 20000))
for added in 0 50 150 300; do
  host_log=$(mktemp); guest_log=$(mktemp); logs+=("$host_log" "$guest_log")
  start_display
  host_display=$display
  start_game "$display" "$host_log" --host "$port" --code K7P-2QX --no-port-mapping
  host=$game
  join_port=$port
  if ((added > 0)); then
    join_port=$((port + 1))
    "$proxy_binary" --listen "$join_port" --to "$port" --delay $((added / 2)) --jitter 0 &
    pids+=($!)
  fi
  start_display
  start_game "$display" "$guest_log" --join "127.0.0.1:$join_port" --code K7P-2QX
  guest=$game
  steer "$host_display" Left Right 0.3 >/dev/null 2>&1 &
  pids+=($!)
  steer "$display" Left Right 0.45 >/dev/null 2>&1 &
  pids+=($!)
  sleep 3
  read -r host_share guest_share <<<"$(measure_cpu "$host" "$guest")"
  echo "online, ${added} ms added round trip:"
  awk -v h="$host_share" -v g="$guest_share" -v l="$local_share" 'BEGIN {
    printf "  processor: host %.1f%%, guest %.1f%% of one core (%.2f and %.2f x the local race)\n", h, g, h / l, g / l}'
  echo "  host:  $(traffic "$host_log")"
  echo "         $(rollbacks "$host_log")"
  echo "  guest: $(traffic "$guest_log")"
  echo "         $(rollbacks "$guest_log")"
  stop_all
  port=$((port + 2))
done
