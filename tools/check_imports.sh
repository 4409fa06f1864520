#!/usr/bin/env bash
# Fails when a program imports any DLL that is not part of Windows itself: each must run as
# one file, with nothing beside it. Takes one or more exe files.
set -euo pipefail
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|msvcrt|advapi32|uxtheme|psapi)\.dll$'
status=0
for exe in "$@"; do
  while read -r dll; do
    if ! printf '%s\n' "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
      echo "$(basename "$exe"): not a system DLL: $dll"
      status=1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
done
[ $status -eq 0 ] && echo "imports only system DLLs"
exit $status
