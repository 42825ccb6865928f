#!/usr/bin/env bash
# Checks a delivery folder's i686 files without running them: the executable must be a 32-bit GUI
# program that needs only Windows' own DLLs (delay-loaded ones too) and carries its manifest and
# version, the library a 32-bit DLL of the same kind, and neither may keep debug sections. Both must
# be hardened as Windows' release checks expect: relocatable, DEP, no SEH, stack protector, no
# section both writable and executable, read-only data kept read-only.
#   check-delivery.sh <delivery folder>   (as nt_stage_delivery or script/package make it)
set -uo pipefail
source "$(dirname "$0")/../../script/lib.sh"
source "$(dirname "$0")/../../script/pe-read.sh"
exe=$1/NorvaneTaskwing.exe dll=$1/VeskorFeedbackInformation.dll
objdump=x86_64-w64-mingw32-objdump   # reads both kinds, so that a 64-bit file is named, not refused
export LC_ALL=C   # binutils speaks Chinese under the test locale

failed=0
check() { # check <what> <command...>
  local what=$1
  shift
  if "$@"; then echo "  ok: $what"; else echo "  FAILED: $what"; failed=1; fi
}
has() { grep -Eq "$2" <<<"$1"; }
quietly() { local out; out=$("$@") || { printf '%s\n' "$out"; return 1; }; }
# Text as it stands in a version resource: UTF-16LE.
utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v | tr -d ' \n'; }

exe_head=$("$objdump" -p "$exe" 2>&1)
dll_head=$("$objdump" -p "$dll" 2>&1)
exe_hex=$(od -An -tx1 -v "$exe" | tr -d ' \n')
echo "delivered files ($("$objdump" -f "$exe" | sed -n 's/.*file format //p')):"
check "NorvaneTaskwing.exe is PE32 for i386" has "$exe_head" 'file format pei-i386' 
check "NorvaneTaskwing.exe is PE32, not PE32+" has "$exe_head" 'Magic[[:space:]]+010b'
check "NorvaneTaskwing.exe is a GUI program" has "$exe_head" 'Subsystem[[:space:]]+00000002'
check "VeskorFeedbackInformation.dll is PE32 for i386" has "$dll_head" 'file format pei-i386'
check "VeskorFeedbackInformation.dll is a DLL" has "$dll_head" 'Characteristics .*DLL|^[[:space:]]+DLL$'
for f in "$exe" "$dll"; do
  check "$(basename "$f") imports only Windows system DLLs" quietly "$(dirname "$0")/check-imports.sh" "$objdump" "$f"
  check "$(basename "$f") has no debug sections" test "$("$objdump" -h "$f" | grep -c ' \.debug')" = 0
done

# The loader's own bits: DllCharacteristics, the file's Characteristics and each section's flags.
bits() { (( ($1 & $2) == $2 )); }
# GCC's stack protector on x86: each protected function loads one word of data (the canary) on
# entry and subtracts it again before it returns. How many exits compare with the commonest word.
canary_checks() {
  "$objdump" -d --no-show-raw-insn "$1" | grep -oE 'sub +0x[0-9a-f]+,%e[a-z]{2}' | awk -F'[ ,]+' '{ print $2 }' |
    sort | uniq -c | sort -rn | awk 'NR == 1 { print $1 }'
}
writable_code() { local name flags rest; while read -r name flags rest; do bits "$flags" 0xA0000000 && return 0; done; return 1; }
rdata_writable() { local name flags rest; while read -r name flags rest; do [ "$name" = .rdata ] && ! bits "$flags" 0x80000000 && return 1; done; return 0; }
for f in "$exe" "$dll"; do
  name=$(basename "$f")
  if ! pe_header "$f"; then check "$name is a PE image" false; continue; fi
  dll_flags=$(pe_u16 "$f" $((pe_opt + 70)))
  sections=$(pe_section_table "$f")
  echo "$name: DllCharacteristics $(printf %04x "$dll_flags"), sections $(cut -d' ' -f1 <<<"$sections" | tr '\n' ' ')"
  check "$name may be loaded anywhere (DYNAMIC_BASE)" bits "$dll_flags" 0x40
  check "$name runs with data execution prevention (NX_COMPAT)" bits "$dll_flags" 0x100
  check "$name says it installs no SEH handler (NO_SEH)" bits "$dll_flags" 0x400
  check "$name keeps its relocations (.reloc, no RELOCS_STRIPPED)" \
    eval 'grep -q "^\.reloc " <<<"$sections" && ! bits "$(pe_u16 "$f" $((pe_coff + 18)))" 1'
  check "$name has no section both writable and executable" eval '! writable_code <<<"$sections"'
  check "$name keeps read-only data read-only (.rdata not writable)" eval '! rdata_writable <<<"$sections"'
  checks=$(canary_checks "$f")
  check "$name checks its stack canary (${checks:-no} function exits compare one word)" test "${checks:-0}" -ge 10
done
pe_header "$exe" && exe_flags=$(pe_u16 "$exe" $((pe_opt + 70)))
check "NorvaneTaskwing.exe is TERMINAL_SERVER_AWARE" bits "${exe_flags:-0}" 0x8000
check "NorvaneTaskwing.exe names its delay-loaded DLLs (comctl32.dll among them)" \
  eval 'pe_header "$exe" && pe_delay_dlls "$exe" | grep -qix comctl32.dll'
manifest=$(tr '\0\n' '  ' <"$exe" | grep -ao '<assembly .*</assembly>')
check "the manifest asks for an administrator" has "$manifest" 'requestedExecutionLevel level="requireAdministrator"'
check "the manifest declares the program DPI aware" has "$manifest" '<dpiAware[^>]*>true</dpiAware>'
check "the manifest asks for common controls 6 for x86" has "$manifest" 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"[[:space:]]+processorArchitecture="x86"'
check "the version resource is there" has "$exe_hex" "$(utf16 VS_VERSION_INFO)"
check "it carries the version $(nt_version)" has "$exe_hex" "$(utf16 "FileVersion")(00)+$(utf16 "$(nt_version)")"
exit $failed
