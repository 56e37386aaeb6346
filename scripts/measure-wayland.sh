#!/usr/bin/env bash
# Measures the running game on a headless Wayland compositor (sway) beside the same under Xvfb
# (scripts/measure.sh), in one run: ticks per second, processor share, resident memory, and the ratios.
# Usage: scripts/measure-wayland.sh [seconds]   (builds first if needed)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target QuiboTrainer >/dev/null
binary=$PWD/build/release/app/QuiboTrainer
source scripts/wayland-desktop.sh
start_wayland_desktop
start_wayland_game
sleep 4

cpu() { awk '{print $14 + $15}' "/proc/$game/stat"; }
hz=$(getconf CLK_TCK)
start_cpu=$(cpu)
start_lines=$(wc -l <"$game_log")
sleep "$seconds"
end_cpu=$(cpu)
wayland_share=$(awk -v a="$start_cpu" -v b="$end_cpu" -v hz="$hz" -v s="$seconds" 'BEGIN {printf "%.1f", (b - a) / hz / s * 100}')
wayland_memory=$(awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$game/status")
rates=$(tail -n +"$((start_lines + 1))" "$game_log" | sed -n 's/^ticks per second: //p' | tr '\n' ',')
gl=$(grep -oE '(libEGL_mesa|swrast_dri|libLLVM|libgallium)[^/ ]*' "/proc/$game/maps" | sort -u | tr '\n' ' ' || true)
kill "$game"
wait "$game" 2>/dev/null || true
game=

echo "== Wayland (headless sway) =="
echo "ticks per second over ${seconds} s: ${rates%,}"
echo "processor time: ${wayland_share}% of one core"
echo "resident memory: ${wayland_memory} MB"
echo "OpenGL stack loaded: ${gl:-none}"
echo "== X11 (Xvfb) =="
x11=$(scripts/measure.sh "$seconds")
echo "$x11"
x11_share=$(sed -n 's/^processor time: \([0-9.]*\)%.*/\1/p' <<<"$x11")
x11_memory=$(sed -n 's/^resident memory: \([0-9.]*\) MB/\1/p' <<<"$x11")
echo "== Wayland / X11 =="
awk -v a="$wayland_share" -v b="$x11_share" 'BEGIN {printf "processor share: %.2f x\n", a / b}'
awk -v a="$wayland_memory" -v b="$x11_memory" 'BEGIN {printf "resident memory: %.2f x\n", a / b}'
