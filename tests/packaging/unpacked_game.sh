#!/usr/bin/env bash
# Starts the game unpacked from the package under Xvfb with a window manager: the main window appears with its
# caption, its size and a drawn frame of the race, and Esc ends the program with status 0.
# Usage: unpacked_game.sh <unpacked root>
set -euo pipefail
root=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number itself, so parallel runs never collide.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$work/display")
openbox >/dev/null 2>&1 &
pids+=($!)
# The window manager is there once it has named its check window on the root.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done

QT_QPA_PLATFORM=xcb "$root/usr/games/quibotrainer" &
game=$!
pids+=("$game")
window=
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^QuiboTrainer v\.1\.0$' 2>/dev/null | head -n1) || true
  [[ -n $window ]] && break
  kill -0 "$game" 2>/dev/null || fail "the game ended before its window appeared"
  sleep 0.1
done
[[ -n $window ]] || fail "no window captioned \"QuiboTrainer v.1.0\""

geometry=$(xwininfo -id "$window")
grep -q 'Width: 1076$' <<<"$geometry" && grep -q 'Height: 810$' <<<"$geometry" ||
  fail "the window is not 1076 x 810: $geometry"
xprop -id "$window" _NET_FRAME_EXTENTS | grep -q '=' || fail "the window manager gave the window no frame"

# A drawn frame: the water with both hulls in their marker colours, in the drawing area below the toolbar.
drawn=
for _ in $(seq 20); do
  import -window "$window" "$work/shot.png" 2>/dev/null || true
  colours=$(convert "$work/shot.png" -crop 1076x750+0+41 +repage -format %c histogram:info:- 2>/dev/null || true)
  if grep -q '#008080' <<<"$colours" && grep -q '#FF0000' <<<"$colours"; then drawn=yes; break; fi
  sleep 0.5
done
[[ -n $drawn ]] || fail "the drawing area shows no race"

# Esc goes where a player's key goes: to the focused window.
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
xdotool windowfocus --sync "$window" >/dev/null 2>&1 || true
xdotool key Escape
for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game" 2>/dev/null && fail "Esc did not end the game"
status=0
wait "$game" || status=$?
[[ $status -eq 0 ]] || fail "the game ended with status $status"
echo "the unpacked game starts, draws and ends on Esc"
