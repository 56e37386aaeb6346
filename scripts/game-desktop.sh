# Sourced by the scripts that run the real program: a virtual display with a window manager and the game on it,
# found by its caption and activated (the frame timer only ticks while the program is active). Sets display,
# game (process id), window (X window id) and game_log (the game's standard error); cleans up at exit.

game=
wm=
xvfb=
game_log=$(mktemp)
trap 'kill $game $wm $xvfb 2>/dev/null || true; rm -f "$game_log"' EXIT

# Builds the game if needed and starts it. Usage: start_game_desktop [game arguments...]
# game_screen (WIDTHxHEIGHT) sizes the virtual screen, game_env holds extra variables for the game.
start_game_desktop() {
  scripts/setup.sh
  cmake --preset release >/dev/null
  cmake --build --preset release --target QuiboTrainer >/dev/null
  local number=110
  while [[ -e /tmp/.X11-unix/X$number || -e /tmp/.X$number-lock ]]; do number=$((number + 1)); done
  display=:$number
  Xvfb "$display" -screen 0 "${game_screen:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  DISPLAY=$display openbox >/dev/null 2>&1 &
  wm=$!
  sleep 1
  export DISPLAY=$display
  launched=$(date +%s%3N)
  # SDL's dummy audio driver: the signals are mixed on an audio thread as on a desktop, and nobody hears them.
  env SDL_AUDIODRIVER=dummy ${game_env:-} QT_QPA_PLATFORM=xcb QUIBO_REPORT_RATE=1 build/release/app/QuiboTrainer "$@" 2>"$game_log" &
  game=$!
  window=
  for _ in $(seq 150); do
    window=$(xdotool search --name 'QuiboTrainer v.1.0' 2>/dev/null | head -n 1 || true)
    [[ -n $window ]] && break
    sleep 0.1
  done
  [[ -n $window ]] || { echo "the game's window did not appear"; exit 1; }
  activate_game
}

activate_game() { xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true; }
