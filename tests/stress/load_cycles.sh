#!/usr/bin/env bash
# Loads, plays and unloads the real Vaxo.asi CYCLES times in one stand-in host
# process, with a second thread sending key events throughout when --key-storm
# follows. Every cycle must register and unregister once and throw with the
# default forces, and after the last cycle the process may hold no more
# handles, committed private memory or heap than after the first, but for the
# one record the statically linked POSIX thread runtime keeps for the host's
# thread and never releases on unload: two handles and well under 1 KiB a
# cycle. The same runtime takes a TLS slot a load, so one process can load the
# plug-in about a thousand times.
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
build=$1
cycles=$2
storm=${3:-}
here=$(cd "$(dirname "$0")" && pwd)

# Allocator rounding, not a leak: a leak of a few bytes a cycle shows in 100.
private_slack=65536
runtime_handles_per_cycle=2
runtime_heap_per_cycle=1024

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
summary=$workdir/summary
status=0
"$here/../wine/wine-run" "$build/vaxo-sim.exe" --quiet --cycles "$cycles" $storm \
    --workdir "$workdir" "$build/Vaxo.asi" "$here/scenarios/throw_facing_x.txt" >"$summary" ||
    status=$?
grep -v '^cycle ' "$summary" || true


[ "$status" -eq 0 ] || fail "vaxo-sim exited with $status"
once="scriptRegister 1, keyboardHandlerRegister 1, scriptUnregister 1, keyboardHandlerUnregister 1"
good_cycles=$(grep -c "^cycle [0-9]*: $once\$" "$summary" || true)
[ "$good_cycles" -eq "$cycles" ] ||
    fail "$good_cycles of $cycles cycles registered and unregistered exactly once"
grep -qx "pushes: $cycles, force (15.0, 0.0, 5.0) $cycles times" "$summary" ||
    fail "not every cycle threw with the default forces"

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
    if [ $((last - first)) -gt "$slack" ]; then
        fail "$what grew by $((last - first)) over $((cycles - 1)) cycles," \
            "$(((last - first) / (cycles - 1))) a cycle"
    fi
}
check_growth handles $((runtime_handles_per_cycle * (cycles - 1)))
check_growth "private bytes" $((private_slack + runtime_heap_per_cycle * (cycles - 1)))
check_growth "heap bytes" $((runtime_heap_per_cycle * (cycles - 1)))

report_verdict
