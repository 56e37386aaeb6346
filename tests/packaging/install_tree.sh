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

gzip -t "$prefix/share/doc/quibotrainer/changelog.Debian.gz"
for page in "$prefix/share/man/man6/quibotrainer.6.gz" "$prefix/share/man/de/man6/quibotrainer.6.gz"; do
  gzip -t "$page"
  warnings=$(zcat "$page" | MANWIDTH=80 man --warnings -l - 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "the manual page $page has faults: $warnings"
done

desktop-file-validate "$prefix/share/applications/org.quibotrainer.QuiboTrainer.desktop"
grep -qx 'Exec=quibotrainer' "$prefix/share/applications/org.quibotrainer.QuiboTrainer.desktop" ||
  fail "the menu entry does not start the installed program by its name"
for action in 'Exec=quibotrainer --host' 'Exec=quibotrainer --join' 'Exec=quibotrainer --demo'; do
  grep -qx -- "$action" "$prefix/share/applications/org.quibotrainer.QuiboTrainer.desktop" ||
    fail "the menu entry lacks the action '$action'"
done
appstreamcli validate --no-net --explain "$prefix/share/metainfo/org.quibotrainer.QuiboTrainer.metainfo.xml"

# Every screenshot the metadata names is one of the pictures kept in packaging/screenshots, at the size it says.
screens=$(dirname "$0")/../../packaging/screenshots
shots=0
while read -r width height url; do
  file=$screens/${url##*/}
  [[ -f $file ]] || fail "the metadata names a screenshot that packaging/screenshots lacks: $url"
  [[ $(identify -format '%w %h' "$file") == "$width $height" ]] || fail "$file is not $width x $height"
  shots=$((shots + 1))
done < <(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">\(.*\)</image>.*|\1 \2 \3|p' \
  "$prefix/share/metainfo/org.quibotrainer.QuiboTrainer.metainfo.xml")
(( shots > 0 )) || fail "the metadata shows no screenshot"

# The menu entry and the metadata speak every language the program does: German, its own, and each translation.
desktop=$prefix/share/applications/org.quibotrainer.QuiboTrainer.desktop
metainfo=$prefix/share/metainfo/org.quibotrainer.QuiboTrainer.metainfo.xml
languages=(de)
for ts in "$(dirname "$0")"/../../ui/translations/quibotrainer_*.ts; do
  language=${ts##*_}
  languages+=("${language%.ts}")
done
for language in "${languages[@]}"; do
  for key in Name GenericName Comment Keywords; do
    grep -q "^$key\[$language\]=" "$desktop" || fail "the menu entry has no $key[$language]"
  done
  [[ $language == en ]] || grep -q "<summary xml:lang=\"$language\">" "$metainfo" ||
    fail "the metadata has no summary in $language"
  grep -qx "    <lang>$language</lang>" "$metainfo" || fail "the metadata does not name $language among its languages"
done
echo "installed tree is complete and valid"
