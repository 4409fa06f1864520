#!/usr/bin/env bash
# Fails when the program imports any DLL that is not part of Windows itself: it must run as
# one file, with nothing beside it.
set -euo pipefail
exe="$1"
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|msvcrt|advapi32|uxtheme|psapi)\.dll$'
status=0
while read -r dll; do
  if ! printf '%s\n' "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
    echo "not a system DLL: $dll"
    status=1
  fi
done < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
[ $status -eq 0 ] && echo "imports only system DLLs"
exit $status
