# Reads the headers of a PE file as the Windows loader does, for the build and the delivery checks
# (sourced).
# shellcheck shell=bash

pe_u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
pe_u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }

# pe_header <file>: sets pe_coff (the COFF header's offset), pe_opt (the optional header's),
# pe_dirs (the data directories'), pe_sections and pe_nsections; fails for anything but PE32(+).
pe_header() {
  [ "$(od -An -c -N2 "$1" | tr -d ' ')" = MZ ] || return 1
  pe_coff=$(($(pe_u32 "$1" 60) + 4))
  pe_opt=$((pe_coff + 20))
  case $(pe_u16 "$1" $pe_opt) in
    267) pe_dirs=$((pe_opt + 96)) ;;
    523) pe_dirs=$((pe_opt + 112)) ;;
    *) return 1 ;;
  esac
  pe_nsections=$(pe_u16 "$1" $((pe_coff + 2)))
  pe_sections=$((pe_opt + $(pe_u16 "$1" $((pe_coff + 16)))))
}

# pe_section_table <file>: one line per section: name, characteristics (decimal), RVA, virtual
# size, file offset. A long name ("/4") is read from the string table after the symbols.
pe_section_table() {
  local i at name strings=$(($(pe_u32 "$1" $((pe_coff + 8))) + 18 * $(pe_u32 "$1" $((pe_coff + 12)))))
  for ((i = 0; i < pe_nsections; i++)); do
    at=$((pe_sections + 40 * i))
    name=$(dd if="$1" bs=1 skip=$at count=8 status=none | tr -d '\0')
    [[ $name == /[0-9]* ]] && name=$(pe_string "$1" $((strings + ${name#/})))
    printf '%s %s %s %s %s\n' "$name" \
      "$(pe_u32 "$1" $((at + 36)))" "$(pe_u32 "$1" $((at + 12)))" "$(pe_u32 "$1" $((at + 8)))" "$(pe_u32 "$1" $((at + 20)))"
  done
}

# pe_offset <file> <rva>: where that address lies in the file.
pe_offset() {
  local name flags rva size raw
  while read -r name flags rva size raw; do
    if [ "$2" -ge "$rva" ] && [ "$2" -lt $((rva + size)) ]; then echo $(($2 - rva + raw)); return 0; fi
  done < <(pe_section_table "$1")
  return 1
}

pe_string() { dd if="$1" bs=1 skip="$2" count=256 status=none | tr '\0' '\n' | head -n 1; }

# pe_delay_dlls <file>: the names of the delay-loaded DLLs, from the delay-import directory's
# descriptors (32 bytes each, up to the zero one; the name's address is the second field).
pe_delay_dlls() {
  local rva at name_rva
  rva=$(pe_u32 "$1" $((pe_dirs + 13 * 8)))
  [ "$rva" -ne 0 ] || return 0
  at=$(pe_offset "$1" "$rva") || return 1
  while name_rva=$(pe_u32 "$1" $((at + 4))) && [ "$name_rva" -ne 0 ]; do
    pe_string "$1" "$(pe_offset "$1" "$name_rva")" || return 1
    at=$((at + 32))
  done
}
