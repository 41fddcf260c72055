#!/usr/bin/env bash
# Checks what a game folder will see of Vaxo.asi: a PE32+ x86-64 DLL that
# imports the host's eight operations by their decorated names and from
# Windows' own DLLs only what allowed_imports.txt allows, exports nothing,
# registers nothing that would outlive it, and names itself to Windows with
# CMake's project version and the license's copyright. And that the list
# marks as counted just what the stand-in host's reload check counts.
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
objdump=$1
plugin=$2
read_version=$3
vaxo_sim=$4
version=$5
license=$6
allowed_file=$(dirname "$0")/allowed_imports.txt
allowed=$(sed '/^#/d' "$allowed_file")
tables=$("$objdump" -p "$plugin")
wine_run=$(dirname "$0")/../wine/wine-run
wine_errors=$(mktemp)
trap 'rm -f "$wine_errors"' EXIT

# Runs a Windows program and leaves its stdout, CR LF line ends undone, in
# $shown; when it fails, fails with $1 and what it printed on either stream.
run_windows() {
    local failure=$1 status=0
    shift
    shown=$("$wine_run" "$@" 2>"$wine_errors") || status=$?
    shown=$(tr -d '\r' <<<"$shown")
    [ "$status" -eq 0 ] && return
    fail "$failure. $(basename "$1") printed:"$'\n'"$shown"$'\n'"and on stderr:"$'\n'"$(cat "$wine_errors")"
    return 1
}

grep -q "file format pei-x86-64" <<<"$tables" || fail "not a PE32+ x86-64 image"
grep -Eq "^Magic[[:space:]]+020b" <<<"$tables" || fail "optional header is not PE32+"
grep -Eq "^[[:space:]]+DLL$" <<<"$tables" || fail "not flagged as a DLL"

system_dlls=$(cut -d' ' -f1 <<<"$allowed" | sort -u | tr '\n' ' ')
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

unlisted=$(LC_ALL=C comm -23 <(awk '$1 != "ScriptHookRDR2.dll"' <<<"$imports" | LC_ALL=C sort -u) \
    <(cut -d' ' -f1,2 <<<"$allowed" | LC_ALL=C sort -u))
[ -z "$unlisted" ] || fail "imports what $allowed_file does not allow:"$'\n'"$unlisted"

if run_windows "the stand-in host lists no counted functions" "$vaxo_sim" --counted-allocators; then
    marked=$(awk '$3 == "counted" { print $1, $2 }' <<<"$allowed" | LC_ALL=C sort)
    counted=$(LC_ALL=C sort <<<"$shown")
    [ "$marked" = "$counted" ] || fail "the rows marked counted in $allowed_file (<) differ" \
        "from what vaxo-sim.exe --counted-allocators lists (>):"$'\n'"$(
            diff <(echo "$marked") <(echo "$counted"))"
fi

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

run_windows "Windows reads no version resource of $plugin" "$read_version" "$plugin" || true
description=$(sed -n 's/^FileDescription: //p' <<<"$shown")
[ -n "$description" ] && [ "$description" != "(none)" ] || fail "no file description"
# The numbers have four places, the last 0 for a release's three.
numbers=$version
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] && numbers=$version.0
expected=$(cat <<FIELDS
file version: $numbers
product version: $numbers
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
