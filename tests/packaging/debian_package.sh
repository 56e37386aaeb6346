#!/usr/bin/env bash
# Builds the Debian package from the build, checks its control data, its files, lintian's verdict and that its
# program is hardened, and unpacks it into <work dir>/root for the start test.
# Usage: debian_package.sh <build dir> <work dir> <list of expected files>
set -euo pipefail
build=$1 work=$2 expected=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" || { cat "$work/cpack.log"; exit 1; }
debs=("$work"/quibotrainer_1.0-1_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "cpack made no quibotrainer_1.0-1 package"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == quibotrainer ]] || fail "package name $(field Package)"
[[ $(field Version) == 1.0-1 ]] || fail "version $(field Version)"
[[ $(field Section) == games ]] || fail "section $(field Section)"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fail "architecture $(field Architecture)"
[[ -n $(field Description) ]] || fail "no description"
depends=$(field Depends)
for library in libc6 libstdc++6 libjpeg62-turbo libqt6core6 libqt6gui6 libqt6widgets6 libsdl2-2.0-0; do
  tr ',' '\n' <<<"$depends" | awk '{print $1}' | grep -Fxq "$library" || fail "Depends lacks $library: $depends"
done
[[ -z $(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -Ev '^\./(control|md5sums)?$') ]] ||
  fail "unexpected maintainer scripts: $(dpkg-deb --ctrl-tarfile "$deb" | tar -t | tr '\n' ' ')"

diff -u <(sed 's|^|usr/|' "$expected") \
  <(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort) ||
  fail "the package's files differ from the expected ones"
[[ -z $(dpkg-deb --fsys-tarfile "$deb" | tar -tv | awk '$2 != "root/root"') ]] || fail "files not owned by root"

# Info tags shown too: lintian files a lazily bound or unfortified binary under info.
lintian --fail-on error --display-info --info "$deb" | tee "$work/lintian.log"
hardening_tags=$(grep -E '^[EWIPX]: [^ ]+: hardening-' "$work/lintian.log" || true)
[[ -z $hardening_tags ]] || fail "lintian finds the package's program not hardened:"$'\n'"$hardening_tags"

dpkg -x "$deb" "$work/root"
binary=$work/root/usr/games/quibotrainer
readelf -S "$binary" | grep -Eq '\.(symtab|debug_info)' && fail "the packaged game is not stripped"
"$(dirname "$0")/hardening_check.sh" "$binary"
echo "package $deb is sound"
