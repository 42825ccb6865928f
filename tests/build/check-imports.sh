#!/bin/sh
# Fails when a PE file imports anything but the DLLs that every Windows 11 carries.
objdump=$1
file=$2
allowed='^(kernel32|user32|gdi32|gdiplus|comctl32|ole32|oleaut32|shell32|shlwapi|advapi32|msvcrt|uxtheme|version|msimg32|ntdll|comdlg32)\.dll$'
names=$("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$names" ] || { echo "no import table found in $file"; exit 1; }
echo "$file imports:"; echo "$names" | sed 's/^/  /'
bad=$(echo "$names" | grep -Ev "$allowed")
if [ -n "$bad" ]; then
  echo "not a Windows system DLL:"; echo "$bad" | sed 's/^/  /'
  exit 1
fi
