#!/usr/bin/env bash
# Loads, plays and unloads the real Vaxo.asi CYCLES times in one stand-in host
# process. --key-storm: a second thread sends key events throughout. --idle:
# the settings file holds a value that is not a number, so every load throws
# and catches inside the plug-in and then sits the scenario out. --mxcsr VALUE:
# the game's floating-point state, in which the plug-in runs. Every cycle
# must register and unregister once and leave no heap block of the
# plug-in's behind (the host counts the blocks of the functions
# `vaxo-sim.exe --counted-allocators` lists; check_tables.sh fails a plug-in
# importing a system function its allow-list lacks), and after the last
# cycle the process may hold no more handles than after the first, nor more
# private memory than one page of allocator rounding: nothing of the plug-in
# outlives it. The heaps' own figure is printed, not judged: Wine 10's
# low-fragmentation heap grows its busy block groups over the first
# thousands of cycles without a leak.
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
build=$1
cycles=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)

host_options=()
idle=no
while [ $# -gt 0 ]; do
    case $1 in
    --key-storm) host_options+=(--key-storm) ;;
    --mxcsr) host_options+=(--mxcsr "$2") && shift ;;
    --idle) idle=yes ;;
    *) fail "unknown option $1" ;;
    esac
    shift
done

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
[ "$idle" = no ] || printf '[settings]\nforwardForce=fast\nupForce=5.0\n' >"$workdir/Vaxo.ini"
summary=$workdir/summary
status=0
"$here/../wine/wine-run" "$build/vaxo-sim.exe" --quiet --cycles "$cycles" "${host_options[@]}" \
    --workdir "$workdir" "$build/Vaxo.asi" "$here/scenarios/throw_facing_x.txt" >"$summary" ||
    status=$?
grep -v '^cycle ' "$summary" || true

[ "$status" -eq 0 ] || fail "vaxo-sim exited with $status"
once="scriptRegister 1, keyboardHandlerRegister 1, scriptUnregister 1, keyboardHandlerUnregister 1"
good_cycles=$(grep -c "^cycle [0-9]*: $once\$" "$summary" || true)
[ "$good_cycles" -eq "$cycles" ] ||
    fail "$good_cycles of $cycles cycles registered and unregistered exactly once"
if [ "$idle" = yes ]; then
    grep -qx "natives: 0" "$summary" || fail "an idle plug-in called natives"
else
    grep -qx "pushes: $cycles, force (15.0, 0.0, 5.0) $cycles times" "$summary" ||
        fail "not every cycle threw with the default forces"
fi

# A line such as "handles after cycle 1: 15, after cycle 100: 15".
check_growth() {
    local what=$1 slack=$2 line first last
    line=$(grep "^$what after cycle 1: " "$summary" || true)
    if [ -z "$line" ]; then
        fail "no line for $what"
        return
    fi
    first=$(sed 's/^.* after cycle 1: \([0-9]*\),.*$/\1/' <<<"$line")
    last=${line##*: }
    [ $((last - first)) -le "$slack" ] ||
        fail "$what grew by $((last - first)) over $((cycles - 1)) cycles"
}
check_growth handles 0
check_growth "plug-in heap blocks" 0
check_growth "plug-in heap bytes" 0
check_growth "private bytes" 4096
# Every load allocates at least the C++ runtime's exception pool: fewer
# counted allocations mean the count never reached the plug-in.
made=$(sed -n 's/^plug-in allocations: //p' "$summary")
[ "${made:-0}" -ge "$cycles" ] || fail "only ${made:-no} plug-in allocations counted in $cycles cycles"

report_verdict
