#!/usr/bin/env bash
# deploy-dlls.sh FOLDER DLL_FOLDER...
# Copies into FOLDER every DLL that its programs, DLLs and plugins import, and the DLLs those
# import in turn, taken from the DLL folders given. A DLL found in none of them belongs to
# Windows itself (KERNEL32.dll and the like) and is left out.
set -euo pipefail
folder=$1
shift
imports_of() {
    x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'
}
find_dll() {
    local name=$1 dir found
    for dir in "${@:2}"; do
        found=$(find "$dir" -maxdepth 1 -iname "$name" -print -quit 2>/dev/null)
        [ -n "$found" ] && { echo "$found"; return 0; }
    done
    return 0
}
queue=()
while IFS= read -r -d '' file; do queue+=("$file"); done \
    < <(find "$folder" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
declare -A seen=()
while [ ${#queue[@]} -gt 0 ]; do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    while IFS= read -r dll; do
        key=${dll,,}
        [ -n "${seen[$key]:-}" ] && continue
        seen[$key]=1
        [ -e "$folder/$dll" ] && continue
        source_dll=$(find_dll "$dll" "$@")
        [ -z "$source_dll" ] && continue
        cp "$source_dll" "$folder/$dll"
        queue+=("$folder/$dll")
    done < <(imports_of "$file")
done
