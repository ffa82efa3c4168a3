#!/bin/sh
# Reads the built Linux program for each defence it must carry, and fails on the first
# that is missing: a static position-independent program (its code moves with every
# run, no shared library is loaded), read-only relocations bound at start, a stack that
# is not executable, stack protector and checked library calls in our own code, and
# Intel CET landing pads at the start of our functions.
#   check_elf.sh PROGRAM [--no-checked-calls]
# --no-checked-calls: for a Clang build, where glibc 2.36 has checked versions of none
# of the calls our code makes (its checked printf needs GCC's __builtin_va_arg_pack).
set -eu
program=$1
checked_calls=${2:-}

fail() {
    echo "$program: $*"
    exit 1
}

header=$(readelf -h "$program")
segments=$(readelf -lW "$program")
dynamic=$(readelf -d "$program")

printf '%s\n' "$header" | grep -q 'Type: *DYN' || fail "not position-independent (ELF type is not DYN)"
if printf '%s\n' "$segments" | grep -q INTERP; then
    fail "asks for a program interpreter: not a static program"
fi
printf '%s\n' "$segments" | grep -q GNU_RELRO || fail "no read-only relocations (GNU_RELRO)"
printf '%s\n' "$dynamic" | grep -Eq 'BIND_NOW|Flags:.* NOW' || fail "relocations are not bound at start (BIND_NOW)"
stack=$(printf '%s\n' "$segments" | grep GNU_STACK) || fail "no GNU_STACK segment: the stack is executable"
case $stack in
*RWE*) fail "the stack is executable" ;;
esac

# Our own functions, not the C library's, which comes with its own protection.
function_named() { nm "$program" | awk -v name="$1" '$3 ~ name { print $3; exit }'; }
disassembly() { objdump -d --no-show-raw-insn --disassemble="$(function_named "$1")" "$program"; }

disassembly check_identity | grep -q 'call.*<__stack_chk_fail>' ||
    fail "check_identity has no stack protector (-fstack-protector-strong)"
if [ "$checked_calls" != --no-checked-calls ]; then
    disassembly report_fields | grep -Eq 'call.*<_*[a-z]+_chk>' ||
        fail "report_fields calls no checked library function (_FORTIFY_SOURCE)"
fi
if [ "$(uname -m)" = x86_64 ]; then
    for name in check_identity report_fields read_field; do
        first=$(disassembly "$name" | awk '/^ *[0-9a-f]+:/ { print $2; exit }')
        [ "$first" = endbr64 ] || fail "$name does not start with endbr64 (-fcf-protection)"
    done
fi
echo "$program: static-pie, RELRO, BIND_NOW, no executable stack, stack protector," \
    "checked library calls and CET landing pads"
