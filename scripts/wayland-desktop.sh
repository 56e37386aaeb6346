# Sourced by the scripts that run the real program on Wayland: a headless sway over a red desktop, run by an
# unprivileged user (a compositor and its clients do not run as root; as root, a system user "quibo-e2e" is
# made for them), and the game on it. Sets wl_dir (the user's runtime directory), game (process id) and
# game_log (the game's standard error); cleans up at exit. The caller sets binary (the game) and may set
# pointer_binary (tests/e2e's virtual_pointer) for clicks.

wl_user=$(id -un)
wl_dir=
sway=
keyboard=
pointer=
game=
game_log=
trap 'kill $game $keyboard $pointer $sway 2>/dev/null || true; wait 2>/dev/null || true; [[ -n $wl_dir ]] && rm -rf "$wl_dir"' EXIT

# Sets wl_command to what runs a command as the desktop's user, in its session (silent: a headless desktop has
# no sound), with these extra variables;
# setpriv executes in place, so the command keeps the process id.
desktop_user_command() {
  wl_command=(env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$wl_dir" XDG_RUNTIME_DIR="$wl_dir"
    WAYLAND_DISPLAY=wayland-1 LANG=C.UTF-8 SDL_AUDIODRIVER=dummy "$@")
  local socket
  for socket in "$wl_dir"/sway-ipc.*.sock; do [[ -S $socket ]] && wl_command+=(SWAYSOCK="$socket"); done
  if [[ $(id -u) -eq 0 ]]; then
    wl_command=(setpriv --reuid="$wl_user" --regid="$wl_user" --init-groups "${wl_command[@]}")
  fi
}

# Runs a command as the desktop's user.
as_desktop_user() {
  desktop_user_command
  "${wl_command[@]}" "$@"
}

# Starts sway; fails if it does not come up within ten seconds (its log is then printed).
start_wayland_desktop() {
  if [[ $(id -u) -eq 0 ]]; then
    wl_user=quibo-e2e
    id -u "$wl_user" >/dev/null 2>&1 ||
      useradd --system --user-group --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$wl_user"
  fi
  wl_dir=$(mktemp -d /tmp/quibo-wayland.XXXXXX)
  cat >"$wl_dir/config" <<'EOF'
output * bg #ff0000 solid_color
output * resolution 1280x1024
xwayland disable
EOF
  chmod 700 "$wl_dir"
  chown -R "$wl_user:" "$wl_dir"
  # The software renderer that needs no OpenGL, and no input devices: keys come from a virtual keyboard.
  desktop_user_command WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
  (cd "$wl_dir" && exec "${wl_command[@]}" sway -c "$wl_dir/config" >"$wl_dir/sway.log" 2>&1) &
  sway=$!
  for _ in $(seq 100); do
    if [[ -S $wl_dir/wayland-1 ]] && as_desktop_user swaymsg -t get_version >/dev/null 2>&1; then
      # A keyboard that stays, so the seat has one before a client binds it: keys sent by a short-lived
      # virtual keyboard would come before the client has bound the new one, and be lost.
      desktop_user_command
      ("${wl_command[@]}" wtype -s 3600000 >/dev/null 2>&1) &
      keyboard=$!
      # The same for the pointer, which a headless seat has none of either.
      if [[ -n ${pointer_binary:-} ]]; then
        install -m 755 -o "$wl_user" "$pointer_binary" "$wl_dir/virtual_pointer"
        coproc POINTER { exec "${wl_command[@]}" "$wl_dir/virtual_pointer" 1280 1024; }
        pointer=$POINTER_PID
      fi
      sleep 0.5
      return 0
    fi
    kill -0 "$sway" 2>/dev/null || break
    sleep 0.1
  done
  cat "$wl_dir/sway.log" >&2
  return 1
}

# Clicks the left button at a place of the screen; fails unless the click was made within five seconds.
click() {
  [[ -n $pointer ]] || return 1
  echo "click $1 $2" >&"${POINTER[1]}"
  local reply=
  read -t 5 -r reply <&"${POINTER[0]}" && [[ $reply == done ]]
}

# The window of this title as sway sees it (JSON), or nothing.
window_named() {
  as_desktop_user swaymsg -t get_tree 2>/dev/null | jq -c --arg title "$1" 'first(.. | objects | select(.name? == $title))'
}
game_window() { window_named "QuiboTrainer v.1.0"; }

# Starts the game with these arguments on Qt's Wayland platform, reporting its rate, and waits up to 15 s for
# its window. The binary is copied for the user, who may not reach the build tree.
start_wayland_game() {
  install -m 755 -o "$wl_user" "$binary" "$wl_dir/QuiboTrainer"
  game_log=$wl_dir/game.log
  local sanitizers=()
  [[ -n ${ASAN_OPTIONS:-} ]] && sanitizers+=(ASAN_OPTIONS="$ASAN_OPTIONS")
  [[ -n ${UBSAN_OPTIONS:-} ]] && sanitizers+=(UBSAN_OPTIONS="$UBSAN_OPTIONS")
  if [[ ${LSAN_OPTIONS:-} =~ suppressions=([^:]*) ]]; then
    install -m 644 -o "$wl_user" "${BASH_REMATCH[1]}" "$wl_dir/lsan.supp"
    sanitizers+=(LSAN_OPTIONS="${LSAN_OPTIONS/${BASH_REMATCH[1]}/$wl_dir/lsan.supp}")
  fi
  desktop_user_command QT_QPA_PLATFORM=wayland QUIBO_REPORT_RATE=1 "${sanitizers[@]}"
  (cd "$wl_dir" && exec "${wl_command[@]}" "$wl_dir/QuiboTrainer" "$@" 2>"$game_log") &
  game=$!
  for _ in $(seq 150); do
    [[ -n $(game_window) ]] && return 0
    kill -0 "$game" 2>/dev/null || break
    sleep 0.1
  done
  echo "the game's window did not appear" >&2
  cat "$game_log" >&2
  return 1
}
