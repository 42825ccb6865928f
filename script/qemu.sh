# The qemu-i386 that runs the delivered 32-bit exe where the kernel runs no 32-bit programs, and
# how a registered one is judged. Sourced by bootstrap (which registers it) and lib.sh (which uses it).
# shellcheck shell=bash

NT_QEMU_ENTRY=/proc/sys/fs/binfmt_misc/qemu-i386
# bookworm-backports' qemu-user: its qemu-i386 is a static binary, so flag F can open it once.
NT_QEMU_GOOD=/usr/bin/qemu-i386
NT_QEMU_FIX="script/bootstrap registers qemu-user from bookworm-backports in its place (README: machines that cannot run 32-bit programs)"

nt_qemu_i386_registered() { [ "$(head -n 1 "$NT_QEMU_ENTRY" 2>/dev/null)" = enabled ]; }

# The emulator a registered entry runs, and its version ("7.2.22"), empty when it cannot tell.
nt_qemu_interpreter() { sed -n 's/^interpreter //p' "$NT_QEMU_ENTRY" 2>/dev/null; }
nt_qemu_version() { { "$1" --version 2>/dev/null || true; } | sed -n '1s/^qemu-[a-z0-9_]* version \([0-9][0-9.]*\).*/\1/p'; }

# Prints why the registered entry cannot run 32-bit Wine, or nothing when it can. qemu before 8.0
# keeps one segment descriptor table for all threads, where Wine needs one per thread: once a
# thread has ended, the next signal kills the process (7.2.22 fails that way; 10.0.2 runs the tool).
nt_qemu_problem() {
  local interp version
  interp=$(nt_qemu_interpreter)
  version=$(nt_qemu_version "$interp")
  if [ -z "$version" ]; then
    echo "the registered qemu-i386 ($interp) does not tell its version, so it cannot be trusted to run 32-bit Wine"
  elif [ "${version%%.*}" -lt 8 ]; then
    echo "the registered qemu-i386 $version ($interp) kills 32-bit Wine once one of its threads has ended (qemu before 8.0)"
  fi
  return 0
}
