#!/usr/bin/env bash
# Points a linked PE file's delay-import directory at its delay-import descriptors, so that the
# Windows SDK's tools and tests/build/check-delivery.sh see the delay-loaded DLLs: GNU ld leaves the
# entry empty (the loader itself never reads it). Then rewrites the file once, for a true checksum.
#   delay-import-directory.sh <nm> <objcopy> <PE file>
set -euo pipefail
source "$(dirname "$0")/../script/pe-read.sh"
nm=$1 objcopy=$2 file=$3

# Addresses, in order, of every descriptor and of the zero entry linked after them.
mapfile -t descriptors < <("$nm" "$file" | awk '$3 ~ /^_*DELAY_IMPORT_DESCRIPTOR_/ { print $1 }' | sort)
[ ${#descriptors[@]} -gt 0 ] || exit 0
end=$("$nm" "$file" | awk '$3 ~ /^_?nt_delay_imports_end$/ { print $1 }')
fail() { echo "delay-import-directory.sh: $file: $*" >&2; exit 1; }
[ -n "$end" ] || fail "no zero entry after the delay-import descriptors (nt_delay_imports_end)"
first=$((16#${descriptors[0]}))
for i in "${!descriptors[@]}"; do
  [ $((16#${descriptors[$i]})) -eq $((first + 32 * i)) ] || fail "the delay-import descriptors are not one table"
done
[ $((16#$end)) -eq $((first + 32 * ${#descriptors[@]})) ] || fail "the zero entry does not follow the last descriptor"

pe_header "$file" || fail "not a PE image"
if [ $((pe_dirs - pe_opt)) -eq 96 ]; then base=$(pe_u32 "$file" $((pe_opt + 28))); else
  base=$(( $(pe_u32 "$file" $((pe_opt + 24))) + ($(pe_u32 "$file" $((pe_opt + 28))) << 32) )); fi
le32() { local b; for b in 0 8 16 24; do printf "\\x$(printf %02x $(($1 >> b & 255)))"; done; }
{ le32 $((first - base)); le32 $((32 * (${#descriptors[@]} + 1))); } |
  dd of="$file" bs=1 seek=$((pe_dirs + 13 * 8)) conv=notrunc status=none
"$objcopy" "$file" "$file.tmp" && mv "$file.tmp" "$file"
