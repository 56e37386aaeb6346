#!/usr/bin/env bash
# Soak run: the real program under Xvfb while keys are pressed at random (steering, restarts, pauses) and the
# settings dialog is opened and closed now and then. Fails if the program dies, if its resident memory grows
# by 1 MiB or more after the first minute, or if it does not end cleanly on Esc at the end.
# Usage: scripts/soak.sh [seconds]   (default 600; builds first if needed)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
source scripts/game-desktop.sh
start_game_desktop
log=$game_log
activate() { activate_game; }

rss() { awk '/^VmRSS:/ {print $2}' "/proc/$game/status"; }
rate() { sed -n 's/^ticks per second: //p' "$log" | tail -n 1; }
alive() { kill -0 "$game" 2>/dev/null; }

# The settings dialog through its toolbar button ("Einstellungen", 74 x 38 at 76, 0), closed with Esc or Enter.
# A key is only sent once the dialog is there: an Esc to the main window would end the program.
dialog() {
  xdotool mousemove --window "$window" 113 19 click 1 >/dev/null 2>&1 || true
  local box=
  for _ in $(seq 30); do
    box=$(xdotool search --name 'Quibo Trainer Einstellungen' 2>/dev/null | head -n 1 || true)
    [[ -n $box ]] && break
    sleep 0.1
  done
  if [[ -n $box ]]; then
    xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
    sleep 0.3
    if ((RANDOM % 2)); then xdotool key Escape; else xdotool key Return; fi
    sleep 0.3
    dialogs=$((dialogs + 1))
  fi
  activate
}

steer_keys=(Left Right y x)
baseline_at=$((seconds > 60 ? 60 : seconds / 2))
baseline=
start=$SECONDS
next_sample=0
presses=0 restarts=0 pauses=0 dialogs=0
echo "soak on $display for ${seconds} s; resident memory (kB) and the last ticks per second:"
while ((SECONDS - start < seconds)); do
  alive || { echo "soak: the program ended after $((SECONDS - start)) s"; exit 1; }
  elapsed=$((SECONDS - start))
  if ((elapsed >= next_sample)); then
    echo "  ${elapsed} s: $(rss) kB, $(rate) ticks/s"
    next_sample=$((next_sample + 10))
  fi
  if [[ -z $baseline ]] && ((elapsed >= baseline_at)); then baseline=$(rss); fi
  roll=$((RANDOM % 100))
  if ((roll < 2)); then
    dialog
  elif ((roll < 5)); then
    xdotool key F3
    restarts=$((restarts + 1))
  elif ((roll < 7)); then
    # Paused for a moment, then running again.
    xdotool key Pause
    sleep 0.$((RANDOM % 5))
    xdotool key Pause
    pauses=$((pauses + 1))
  else
    key=${steer_keys[RANDOM % 4]}
    xdotool keydown "$key"
    sleep 0.$((RANDOM % 6 + 1))
    xdotool keyup "$key"
    presses=$((presses + 1))
  fi
done

alive || { echo "soak: the program ended"; exit 1; }
final=$(rss)
echo "  $((SECONDS - start)) s: $final"
echo "steering presses $presses, restarts $restarts, pauses $pauses, dialogs $dialogs"
growth=$((final - ${baseline:-$final}))
echo "growth after ${baseline_at} s: ${growth} kB"
status=0
if ((growth >= 1024)); then
  echo "soak: resident memory grew by ${growth} kB"
  status=1
fi

activate
xdotool key Escape
for _ in $(seq 100); do alive || break; sleep 0.1; done
if alive; then
  echo "soak: the program did not end on Esc"
  exit 1
fi
code=0
wait "$game" || code=$?
game=
if ((code != 0)); then
  echo "soak: the program ended with $code"
  exit 1
fi
echo "soak: ended on Esc with 0"
exit $status
