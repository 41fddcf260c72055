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

# Nothing registered with a DLL that stays loaded may point into the plug-in
# after it is gone: no exit handler with the C runtime, no fiber-local
# storage callback with the system.
leftovers=$(awk 'NF == 3 && $3 ~ /^(atexit|_onexit|__dllonexit|at_quick_exit|FlsAlloc)$/ {
                     print $3 }' <<<"$tables")
[ -z "$leftovers" ] || fail "imports what would outlive an unload: $leftovers"

host_imports=$(awk '/DLL Name: ScriptHookRDR2.dll/ {on = 1; next}
                    on && /^[[:space:]]*$/ {exit}
                    on && NF == 3 && $1 != "vma:" {print $3}' <<<"$tables" | sort)
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

shown=$("$(dirname "$0")/../wine/wine-run" "$read_version" "$plugin" | tr -d '\r') ||
    fail "Windows reads no version resource: $shown"
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
