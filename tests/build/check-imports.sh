#!/usr/bin/env bash
# Fails when a PE file imports, or delay-loads, anything but the DLLs that every Windows 11 carries.
objdump=$1
file=$2
source "$(dirname "$0")/../../script/pe-read.sh"
allowed='^(kernel32|user32|gdi32|gdiplus|comctl32|ole32|oleaut32|shell32|shlwapi|advapi32|msvcrt|uxtheme|version|msimg32|ntdll|comdlg32)\.dll$'
names=$("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$names" ] || { echo "no import table found in $file"; exit 1; }
pe_header "$file" || { echo "$file is not a PE image"; exit 1; }
delayed=$(pe_delay_dlls "$file") || { echo "the delay-import directory of $file cannot be read"; exit 1; }
delayed=$(tr 'A-Z' 'a-z' <<<"$delayed")
echo "$file imports:"; echo "$names" | sed 's/^/  /'
[ -z "$delayed" ] || { echo "and delay-loads:"; echo "$delayed" | sed 's/^/  /'; }
bad=$(printf '%s\n%s\n' "$names" "$delayed" | grep -v '^$' | grep -Ev "$allowed")
if [ -n "$bad" ]; then
  echo "not a Windows system DLL:"; echo "$bad" | sed 's/^/  /'
  exit 1
fi
