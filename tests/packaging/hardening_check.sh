#!/usr/bin/env bash
# Checks that an executable was built hardened, from what the ELF file itself shows: a position-independent
# executable, full RELRO (read-only after relocation, every symbol bound at start), the stack protector and
# fortified libc calls in use. With --recorded-flags the debug information must be there too, and every C++
# unit in it must have been compiled with the stack protector, stack clash probes and, on x86-64,
# control-flow protection (GCC records its options in each unit's producer).
# Usage: hardening_check.sh [--recorded-flags] <executable>
set -euo pipefail
recorded=
if [[ ${1:-} == --recorded-flags ]]; then recorded=yes; shift; fi
binary=$1
fail() { echo "FAIL: $binary: $*" >&2; exit 1; }
[[ -f $binary ]] || fail "no such file"

header=$(readelf -hW "$binary")
dynamic=$(readelf -dW "$binary")
segments=$(readelf -lW "$binary")
imports=$(readelf --dyn-syms -W "$binary" | awk '$7 == "UND" {sub(/@.*/, "", $8); print $8}')

grep -Eq '^ +Type: +DYN' <<<"$header" && grep -Eq '\(FLAGS_1\) +Flags:.* PIE' <<<"$dynamic" ||
  fail "not a position-independent executable"
grep -q GNU_RELRO <<<"$segments" || fail "no RELRO segment"
grep -Eq '\(BIND_NOW\)|\(FLAGS\) +.*BIND_NOW|\(FLAGS_1\) +Flags:.* NOW' <<<"$dynamic" ||
  fail "symbols are bound lazily (no BIND_NOW): RELRO is only partial"
grep -qx __stack_chk_fail <<<"$imports" || fail "no stack protector (__stack_chk_fail is not used)"
fortified=$(grep -E '^__[a-z0-9_]+_chk$' <<<"$imports" | tr '\n' ' ' || true)
[[ -n $fortified ]] || fail "no fortified libc function is used"

if [[ -n $recorded ]]; then
  # One line per unit: its producer, a tab, its name.
  units=$(readelf --debug-dump=info --dwarf-depth=1 "$binary" 2>/dev/null | awk '
    /DW_TAG_compile_unit/ { if (producer != "") print producer "\t" name; producer = ""; name = "" }
    /DW_AT_producer/ { sub(/^.*DW_AT_producer[^:]*:( \([^)]*\):)? */, ""); producer = $0 }
    /DW_AT_name/ && name == "" { sub(/^.*DW_AT_name[^:]*:( \([^)]*\):)? */, ""); name = $0 }
    END { if (producer != "") print producer "\t" name }' | grep '^GNU C++' || true)
  [[ -n $units ]] || fail "no debug information with GCC's recorded options"
  # Each as a pattern for one recorded option.
  required=('-fstack-protector-(strong|all)' -fstack-clash-protection)
  grep -q 'Machine: *Advanced Micro Devices X86-64' <<<"$header" && required+=('-fcf-protection(=full)?')
  for option in "${required[@]}"; do
    missing=$(awk -F '\t' -v option="(^| )$option( |$)" '$1 !~ option {print "  " $2}' <<<"$units")
    [[ -z $missing ]] || fail "units compiled without $option:"$'\n'"$missing"
  done
  echo "$(wc -l <<<"$units") C++ units, each compiled with ${required[*]}"
fi
echo "$binary is hardened: PIE, full RELRO, stack protector, fortified $fortified"
