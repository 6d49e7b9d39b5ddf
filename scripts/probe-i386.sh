#!/usr/bin/env bash
# Can this kernel run 32-bit x86 programs? Wine's 32-bit half needs it, and
# so does installing it: some kernels run no i386 ELF at all ("Exec format
# error"), and then dpkg cannot even configure wine32:i386.
#
# The probe is a program of three instructions assembled and linked for i386
# with plain binutils (as --32, ld -m elf_i386), so it needs nothing 32-bit
# installed. Prints "yes", or "no: <why>", and exits 0 or 1 accordingly; 2
# when it cannot tell (no binutils).
#
# VFDKIT_PROBE_I386=no makes it answer no (to try the path of a kernel
# without 32-bit support on one that has it), =yes yes.
set -uo pipefail

case "${VFDKIT_PROBE_I386:-}" in
no) echo "no: VFDKIT_PROBE_I386=no"; exit 1 ;;
yes) echo "yes"; exit 0 ;;
"") ;;
*) echo "probe-i386: VFDKIT_PROBE_I386 is yes or no, not '$VFDKIT_PROBE_I386'" >&2; exit 2 ;;
esac

if ! command -v as >/dev/null || ! command -v ld >/dev/null; then
    echo "probe-i386: needs as and ld (Debian package binutils)" >&2
    exit 2
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# exit(42) through the 32-bit system call gate.
printf '.globl _start\n_start:\n movl $1, %%eax\n movl $42, %%ebx\n int $0x80\n' >"$dir/probe.s"
if ! as --32 -o "$dir/probe.o" "$dir/probe.s" || ! ld -m elf_i386 -o "$dir/probe" "$dir/probe.o"; then
    echo "probe-i386: binutils could not build the i386 probe" >&2
    exit 2
fi
status=0
error=$("$dir/probe" 2>&1) || status=$?
if ((status == 42)); then
    echo yes
    exit 0
fi
error=${error##*: }
echo "no: the kernel runs no i386 program (${error:-exit status $status})"
exit 1
