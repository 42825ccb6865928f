#!/bin/sh
# Fails unless a DLL exports exactly the given names, each undecorated.
objdump=$1
file=$2
shift 2
have=$("$objdump" -p "$file" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | sort)
want=$(printf '%s\n' "$@" | sort)
echo "$file exports:"; echo "$have" | sed 's/^/  /'
[ "$have" = "$want" ] || { echo "expected exactly:"; echo "$want" | sed 's/^/  /'; exit 1; }
