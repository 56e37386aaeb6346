#!/usr/bin/env bash
# End to end on a native Wayland compositor (headless sway, Qt's Wayland platform), as an unprivileged user:
# the window comes up activated and opaque over a red desktop, shows after many frames what a whole repaint shows, loads no OpenGL stack, ticks 59..61 times a
# second, the keys steer, pause and quit, the settings dialog opens and closes, Esc ends with status 0, and the game says nothing on standard error
# (what Wayland does not let a client do is left out quietly).
# Usage: wayland_test.sh QUIBO_BINARY VIRTUAL_POINTER. Exits 77 (skipped) only when sway cannot start at all.
set -euo pipefail
binary=$(realpath "$1")
pointer_binary=$(realpath "$2")
source "$(dirname "$0")/../../scripts/wayland-desktop.sh"
trap 'echo "FAILED: the test stopped at line $LINENO"' ERR

start_wayland_desktop || { echo "sway cannot start here: Wayland end-to-end test skipped"; exit 77; }
start_wayland_game

failures=0
pass() { echo "ok: $1"; }
# A failure keeps the shots taken so far, as /tmp/quibo-wayland-NAME.png.
fail() {
  echo "FAILED: $1"
  failures=$((failures + 1))
  local shot
  for shot in "$wl_dir"/*.png; do [[ -e $shot ]] && cp "$shot" "/tmp/quibo-wayland-$(basename "$shot")"; done
}

# The drawing area (1076 x 750 below the 41-pixel toolbar) as sway places the window, in a PNG file.
area_shot() {
  local window x y
  window=$(game_window)
  x=$(jq '.rect.x + .window_rect.x' <<<"$window")
  y=$(jq '.rect.y + .window_rect.y + 41' <<<"$window")
  as_desktop_user grim -g "$x,$y 1076x750" "$wl_dir/$1.png"
}
# The mean x of the pixels of one colour in a shot, or -1 when there are none.
centre_x() {
  # The colour's pixels white, the rest black, each column averaged into one pixel: its share of the colour.
  convert "$wl_dir/$1.png" -fill black +opaque "#$2" -fill white -opaque "#$2" -colorspace gray \
    -scale 1076x1! -depth 16 txt:- | awk -F'[,:() ]+' 'NR > 1 {s += $1 * $3; n += $3}
    END {print n ? int(s / n) : -1}'
}
commonest_colour() {
  # Read to the end (no head): under pipefail a writer cut off early would fail the script.
  convert "$wl_dir/$1.png" -format %c histogram:info:- |
    awk '$1 + 0 > n {n = $1 + 0; c = $3} END {print c}'
}
key() { as_desktop_user wtype "$@"; }
# Whether a command succeeds within so many seconds, tried ten times a second. Usage: within SECONDS COMMAND...
within() {
  local _
  for _ in $(seq $(($1 * 10))); do
    "${@:2}" && return 0
    sleep 0.1
  done
  return 1
}
dialog_shown() { [[ -n $(window_named "Quibo Trainer Einstellungen") ]]; }
dialog_gone() { ! dialog_shown; }
game_ended() { ! kill -0 "$game" 2>/dev/null; }

# Sway floats and centres the fixed-size window once it has its size: wait until it stays in place.
placed=
for _ in $(seq 30); do
  now=$(game_window | jq -c '[.rect, .window_rect]')
  [[ $now == "$placed" ]] && break
  placed=$now
  sleep 0.3
done

# The green dinghy turns west on the Right arrow: early, while it is still on the water below.
area_shot before
before=$(centre_x before 008080)
key -P Right -s 300 -p Right
moved=no
for _ in $(seq 20); do
  sleep 0.15
  area_shot steered
  now=$(centre_x steered 008080)
  ((before >= 0 && now >= 0 && now < before - 20)) && { moved=yes; break; }
done
[[ $moved == yes ]] && pass "the arrow key steers" || fail "the arrow key steers (green at x $before, then $now)"

# While the dinghies are still under way on the water: paused once two shots in a row agree, and still a
# while later.
key -k Pause
area_shot paused1
shots_agree() {
  mv "$wl_dir/paused1.png" "$wl_dir/earlier.png"
  area_shot paused1
  cmp -s "$wl_dir/earlier.png" "$wl_dir/paused1.png"
}
within 3 shots_agree || true
sleep 0.6
area_shot paused2
# Full screen and back, still paused: the area is painted anew all over, and must look as the frames left it.
full_screen() { [[ $(game_window | jq '.fullscreen_mode') == "$1" ]]; }
key -k F11
within 3 full_screen 1 || true
key -k F11
within 3 full_screen 0 || true
repainted() {
  area_shot repainted
  cmp -s "$wl_dir/paused2.png" "$wl_dir/repainted.png"
}
within 3 repainted || true
key -k Pause
moved_on() {
  area_shot resumed
  ! cmp -s "$wl_dir/paused2.png" "$wl_dir/resumed.png"
}
within 3 moved_on || true
cmp -s "$wl_dir/paused1.png" "$wl_dir/paused2.png" && pass "Pause freezes the picture" || fail "Pause freezes the picture"
cmp -s "$wl_dir/paused2.png" "$wl_dir/resumed.png" && fail "Pause again moves it on" || pass "Pause again moves it on"
cmp -s "$wl_dir/paused2.png" "$wl_dir/repainted.png" && pass "painted anew, the area shows what the frames showed" ||
  fail "painted anew, the area shows what the frames showed"

[[ $(game_window | jq .focused) == true ]] && pass "the window is activated" || fail "the window is activated"

# Opaque: the water's own commonest colour, not the red desktop mixed in.
colour=$(commonest_colour steered)
[[ $colour == "#1717E9" ]] && pass "the drawing area is opaque" || fail "the drawing area is opaque (commonest colour $colour)"

gl=$(grep -oE '(libEGL_mesa|swrast_dri|libLLVM|libgallium|iris_dri|radeonsi_dri)[^/ ]*' "/proc/$game/maps" | sort -u || true)
[[ -z $gl ]] && pass "no OpenGL stack is loaded" || fail "no OpenGL stack is loaded (found: $(echo $gl))"

# The frame timer's own report, once a second. Its rate governor starts from no wait between ticks and moves
# one step a few times a second, so it may take some seconds to settle: three reports in a row within 59..61.
settled=0
for _ in $(seq 25); do
  sleep 1
  rates=$(sed -n 's/^ticks per second: //p' "$game_log" | tail -n 3 | tr '\n' ' ')
  settled=$(awk '{for (i = 1; i <= NF; i++) if ($i < 59 || $i > 61) bad = 1} END {print NF == 3 && !bad}' <<<"$rates")
  ((settled)) && break
done
((settled)) && pass "ticks 59..61 a second ($rates)" || fail "ticks 59..61 a second (last: $rates)"

# The settings dialog from its toolbar button ("Einstellungen", 74 x 38 at 76, 0), and closed with Esc.
window=$(game_window)
if click "$(jq '.rect.x + .window_rect.x + 113' <<<"$window")" "$(jq '.rect.y + .window_rect.y + 19' <<<"$window")"; then
  if within 5 dialog_shown; then pass "the settings dialog opens"; else fail "the settings dialog opens"; fi
  key -k Escape
  if within 5 dialog_gone; then pass "Esc closes the settings dialog"; else fail "Esc closes the settings dialog"; fi
  sleep 0.3
else
  fail "the settings button is clicked (no virtual pointer)"
fi

key -k Escape
status=
if within 10 game_ended; then
  wait "$game" && status=0 || status=$?
fi
game=
[[ $status == 0 ]] && pass "Esc ends the program with status 0" || fail "Esc ends the program with status 0 (${status:-still running})"

others=$(grep -v -e '^ticks per second: ' -e '^heap in use: ' -e '^first frame ' "$game_log" || true)
[[ -z $others ]] && pass "nothing on standard error" || fail "nothing on standard error, but: $others"

((failures == 0))
