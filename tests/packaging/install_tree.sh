#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that every file lands where the desktop conventions put it,
# nothing else is installed, and the menu entry and the metadata pass their validators.
# Usage: install_tree.sh <build dir> <prefix> <list of expected files>
set -euo pipefail
build=$1 prefix=$2 expected=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

diff -u "$expected" <(cd "$prefix" && find . -type f -printf '%P\n' | LC_ALL=C sort) ||
  fail "the installed files differ from the expected ones"
[[ -x $prefix/games/quibotrainer ]] || fail "the game is not executable"
for f in $(find "$prefix" -type f ! -path '*/games/*'); do
  [[ ! -x $f ]] || fail "$f is executable"
done

gzip -t "$prefix/share/man/man6/quibotrainer.6.gz" "$prefix/share/doc/quibotrainer/changelog.Debian.gz"
warnings=$(zcat "$prefix/share/man/man6/quibotrainer.6.gz" | MANWIDTH=80 man --warnings -l - 2>&1 >/dev/null)
[[ -z $warnings ]] || fail "the manual page has faults: $warnings"

desktop-file-validate "$prefix/share/applications/org.quibotrainer.QuiboTrainer.desktop"
grep -qx 'Exec=quibotrainer' "$prefix/share/applications/org.quibotrainer.QuiboTrainer.desktop" ||
  fail "the menu entry does not start the installed program by its name"
for action in 'Exec=quibotrainer --host' 'Exec=quibotrainer --join'; do
  grep -qx -- "$action" "$prefix/share/applications/org.quibotrainer.QuiboTrainer.desktop" ||
    fail "the menu entry lacks the action '$action'"
done
appstreamcli validate --no-net --explain "$prefix/share/metainfo/org.quibotrainer.QuiboTrainer.metainfo.xml"
echo "installed tree is complete and valid"
