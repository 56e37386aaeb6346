#!/usr/bin/env bash
# The hardening check passes a small program built with every hardening flag, and fails it built without any
# one of them: each check it makes can fail.
# Usage: hardening_check_rejects.sh <C++ compiler> <hardening_check.sh>
set -euo pipefail
compiler=$1 check=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A fixed-size buffer the stack protector guards and a copy into it that fortify can bound.
cat >"$work/probe.cpp" <<'EOF'
#include <cstdio>
#include <cstring>
int main(int, char** argv)
{
    char name[16];
    std::strcpy(name, argv[0]);
    std::puts(name);
}
EOF

compile=(-g -O2 -D_FORTIFY_SOURCE=2 -fstack-protector-strong -fstack-clash-protection -fPIE)
link=(-pie -Wl,-z,relro -Wl,-z,now)
[[ $(uname -m) == x86_64 ]] && compile+=(-fcf-protection)

# Builds the probe with the given flags left out (or replaced) and runs the check on it, which must pass it or
# fail it for the given reason.
probe() { # pass|<reason the check gives> <what is left out> <flag to drop or replace>... [-- <flag to add>...]
  local verdict=$1 what=$2
  shift 2
  local drop=() add=()
  while (($#)) && [[ $1 != -- ]]; do drop+=("$1"); shift; done
  (($#)) && { shift; add=("$@"); }
  local flags=()
  for flag in "${compile[@]}" "${link[@]}"; do
    local keep=yes
    for d in "${drop[@]}"; do [[ $flag == "$d" ]] && keep=; done
    [[ -n $keep ]] && flags+=("$flag")
  done
  "$compiler" "${flags[@]}" "${add[@]}" "$work/probe.cpp" -o "$work/probe"
  local out status=0
  out=$("$check" --recorded-flags "$work/probe" 2>&1) || status=$?
  if [[ $verdict == pass ]]; then
    ((status == 0)) || fail "the check rejects the fully hardened probe: $out"
  else
    ((status != 0)) || fail "the check passes a probe built without $what: $out"
    grep -qF "$verdict" <<<"$out" || fail "without $what the check fails for another reason: $out"
    echo "without $what: ${out#FAIL: }"
  fi
}

probe pass "nothing"
probe "not a position-independent executable" "PIE" -fPIE -pie -- -no-pie
probe "no RELRO segment" "RELRO" -Wl,-z,relro -- -Wl,-z,norelro
probe "no BIND_NOW" "BIND_NOW" -Wl,-z,now -- -Wl,-z,lazy
probe "no stack protector" "the stack protector" -fstack-protector-strong -- -fno-stack-protector
probe "no fortified libc function" "fortify" -D_FORTIFY_SOURCE=2
probe "without -fstack-clash-protection" "stack clash probes" -fstack-clash-protection
[[ $(uname -m) == x86_64 ]] && probe "without -fcf-protection" "control-flow protection" -fcf-protection
probe "no debug information" "debug information" -g -- -g0
echo "the hardening check fails each probe that lacks one of the flags"
