#!/usr/bin/env bash
# Checks what a game folder will see of Vaxo.asi: a PE32+ x86-64 DLL that
# imports the host's eight operations by their decorated names, needs no DLL
# beyond Windows' own, exports nothing, registers nothing that would outlive
# it, and names itself to Windows with CMake's project version and the
# license's copyright.
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
objdump=$1
plugin=$2
read_version=$3
version=$4
license=$5
tables=$("$objdump" -p "$plugin")

grep -q "file format pei-x86-64" <<<"$tables" || fail "not a PE32+ x86-64 image"
grep -Eq "^Magic[[:space:]]+020b" <<<"$tables" || fail "optional header is not PE32+"
grep -Eq "^[[:space:]]+DLL$" <<<"$tables" || fail "not flagged as a DLL"

system_dlls="KERNEL32.dll msvcrt.dll USER32.dll ADVAPI32.dll"
while read -r dll; do
    case " $system_dlls ScriptHookRDR2.dll " in
    *" $dll "*) ;;
    *) fail "imports from $dll, which a game folder does not have" ;;
    esac
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$tables")

# Every imported name as "DLL name". The name is read from the column the
# table's own header calls Member-Name: binutils 2.40 prints three columns,
# 2.44 four.
imports=$(awk '/^[[:space:]]*DLL Name: / { dll = $3; column = 0; next }
               dll == "" { next }
               /^[[:space:]]*$/ { dll = ""; next }
               $1 == "vma:" { for (i = 1; i <= NF; i++) if ($i == "Member-Name") column = i; next }
               column > 0 && NF >= column { print dll, $column }' <<<"$tables")
[ -n "$imports" ] || fail "read no import at all: objdump's import table has a layout this check lacks"

# Nothing registered with a DLL that stays loaded may point into the plug-in
# after it is gone: no exit handler with the C runtime, no fiber-local
# storage callback with the system.
leftovers=$(awk '$2 ~ /^(atexit|_onexit|__dllonexit|at_quick_exit|FlsAlloc)$/ { print $2 }' \
    <<<"$imports")
[ -z "$leftovers" ] || fail "imports what would outlive an unload: ${leftovers//$'\n'/ }"

# The reload check counts the blocks of malloc, calloc, realloc, _strdup,
# _wcsdup, HeapAlloc, HeapReAlloc, LocalAlloc and LocalReAlloc; a block kept
# from any other allocator would slip past it.
uncounted=$(awk '$2 ~ /^(_aligned_(offset_)?(malloc|realloc|recalloc)|_recalloc|_expand|_mbsdup|_tempnam|_wtempnam|_fullpath|_wfullpath|_w?getcwd|_w?getdcwd|GlobalAlloc|GlobalReAlloc|HeapCreate)$/ {
                     print $2 }' <<<"$imports")
[ -z "$uncounted" ] ||
    fail "imports allocators whose blocks the reload check does not count: ${uncounted//$'\n'/ }"

host_imports=$(awk '$1 == "ScriptHookRDR2.dll" { print $2 }' <<<"$imports" | sort)
expected=$(sort <<'NAMES'
?keyboardHandlerRegister@@YAXP6AXKGEHHHH@Z@Z
?keyboardHandlerUnregister@@YAXP6AXKGEHHHH@Z@Z
?nativeCall@@YAPEA_KXZ
?nativeInit@@YAX_K@Z
?nativePush64@@YAX_K@Z
?scriptRegister@@YAXPEAUHINSTANCE__@@P6AXXZ@Z
?scriptUnregister@@YAXPEAUHINSTANCE__@@@Z
?scriptWait@@YAXK@Z
NAMES
)
[ "$host_imports" = "$expected" ] ||
    fail "host imports differ:"$'\n'"$(diff <(echo "$expected") <(echo "$host_imports"))"

exported=$(awk '/^\[Ordinal\/Name Pointer\] Table/ {on = 1; next}
                on && /^[[:space:]]*\[/ {print}
                on && /^$/ {on = 0}' <<<"$tables")
[ -z "$exported" ] || fail "exports functions:"$'\n'"$exported"

wine_errors=$(mktemp)
trap 'rm -f "$wine_errors"' EXIT
status=0
shown=$("$(dirname "$0")/../wine/wine-run" "$read_version" "$plugin" 2>"$wine_errors") || status=$?
shown=$(tr -d '\r' <<<"$shown")
[ "$status" -eq 0 ] || fail "Windows reads no version resource of $plugin. read_version printed:" \
    $'\n'"$shown"$'\n'"and on stderr:"$'\n'"$(cat "$wine_errors")"
description=$(sed -n 's/^FileDescription: //p' <<<"$shown")
[ -n "$description" ] && [ "$description" != "(none)" ] || fail "no file description"
expected=$(cat <<FIELDS
file version: $version.0
product version: $version.0
FileDescription: $description
FileVersion: $version
LegalCopyright: $(grep -m1 '^Copyright ' "$license")
OriginalFilename: Vaxo.asi
ProductName: Vaxo
ProductVersion: $version
FIELDS
)
[ "$shown" = "$expected" ] ||
    fail "version resource differs:"$'\n'"$(diff <(echo "$expected") <(echo "$shown"))"

report_verdict
