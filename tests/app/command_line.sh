#!/bin/bash
# The program as a command-line program: --version and --help answer on standard output and end with status 0,
# without a display and before any window; an unknown option is refused with status 2 and a pointer at --help.
# Usage: command_line.sh PROGRAM VERSION
set -u
program=$1
version=$2
failed=0
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "  stdout: $(cat "$out")" >&2
  echo "  stderr: $(cat "$err")" >&2
  failed=1
}

# No display of any kind, and no platform chosen.
run() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANGUAGE -u LC_ALL -u LC_MESSAGES "$@" >"$out" 2>"$err"
}

run LANG=C "$program" --version
status=$?
[ $status -eq 0 ] || fail "--version ended with $status"
[ "$(cat "$out")" = "QuiboTrainer $version" ] || fail "--version printed otherwise than 'QuiboTrainer $version'"
[ ! -s "$err" ] || fail "--version wrote to standard error"

# The help in the desktop's language; German for the C locale.
for case in "C|Optionen:|zeigt die Version und endet" "en_US.UTF-8|Options:|shows the version and exits" \
    "fr_FR.UTF-8|Options|affiche la version et quitte" "nl_NL.UTF-8|Opties:|toont de versie en stopt"; do
  IFS='|' read -r lang heading version_line <<<"$case"
  run LANG="$lang" "$program" --help
  status=$?
  [ $status -eq 0 ] || fail "--help ($lang) ended with $status"
  grep -q "^$heading" "$out" || fail "--help ($lang) has no '$heading'"
  for option in DEBUG --host --join --watch --code --open --no-port-mapping --record --mute --help --version; do
    grep -q -- "^  $option" "$out" || fail "--help ($lang) does not list $option"
  done
  grep -q -- "--version  *$version_line" "$out" || fail "--help ($lang) does not explain --version as '$version_line'"
  [ ! -s "$err" ] || fail "--help ($lang) wrote to standard error"
done

# Refused as before, with the way to the options; offscreen, so no message box waits for a click.
run LANG=C QT_QPA_PLATFORM=offscreen "$program" --hots
status=$?
[ $status -eq 2 ] || fail "--hots ended with $status, not 2"
grep -q -- "Unbekannte Option: --hots" "$err" || fail "--hots was not named"
grep -q -- "--help" "$err" || fail "the refusal does not point at --help"
[ ! -s "$out" ] || fail "the refusal wrote to standard output"

exit $failed
