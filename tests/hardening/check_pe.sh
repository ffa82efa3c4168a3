#!/bin/sh
# Reads a built Windows program for each defence it must carry, and fails on the first
# that is missing: ASLR with the relocations it needs (and, for a 64-bit program, the
# whole 64-bit address space), DEP, and the stack protector in our own code.
#   check_pe.sh PROGRAM OBJDUMP NM
set -eu
program=$1
objdump=$2
nm=$3

fail() {
    echo "$program: $*"
    exit 1
}

headers=$($objdump -p "$program")
flags=0x$(printf '%s\n' "$headers" | awk '$1 == "DllCharacteristics" { print $2 }')
has_flag() { [ $((flags & $1)) -ne 0 ]; }
has_flag 0x40 || fail "no ASLR (DYNAMIC_BASE)"
has_flag 0x100 || fail "no DEP (NX_COMPAT)"
if printf '%s\n' "$headers" | grep -q 'Magic.*20b'; then
    has_flag 0x20 || fail "a 64-bit program without HIGH_ENTROPY_VA"
fi
$objdump -h "$program" | grep -q ' \.reloc ' || fail "no relocations: ASLR cannot move it"

function_named() { $nm "$program" | awk -v name="$1" '$3 ~ name { print $3; exit }'; }
$objdump -d --no-show-raw-insn --disassemble="$(function_named check_identity)" "$program" |
    grep -q 'call.*<_*__stack_chk_fail>' ||
    fail "check_identity has no stack protector (-fstack-protector-strong)"
echo "$program: ASLR with relocations, DEP, stack protector"
