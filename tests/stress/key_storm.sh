#!/usr/bin/env bash
# Plays FRAMES frames of idle, carrying and throwing passes with the real
# Vaxo.asi while a second thread sends key events to its keyboard handler as
# fast as it can. The host checks every frame's calls against the throw loop;
# the run must end cleanly with every pass counted where the answers put it.
# With CYCLES, the plug-in is loaded, plays and is unloaded that many times
# under the same storm.
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
build=$1
frames=$2
cycles=${3:-1}
here=$(cd "$(dirname "$0")" && pwd)

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT

# An eight-frame round: a drop, an idle frame, a pick-up whose entity fails
# its check, a frame waiting for the prompt, a completed prompt, the push, and
# two more frames carrying. The expected tally is counted alongside.
awk -v frames="$frames" -v cycles="$cycles" -v scenario="$workdir/scenario.txt" 'BEGIN {
    print "frame 1\ncharacter 7\ncarried 42\ngroup 900\nforward 1 0 0" >scenario
    for (f = 2; f <= frames; f++) {
        print "frame " f >scenario
        round = f % 8
        if (round == 0) { print "carrying no\ncompleted no" >scenario; removed++ }
        else if (round == 1) idle++
        else if (round == 2) { print "carrying yes\nentity invalid" >scenario; failed++; created++ }
        else if (round == 3) { print "entity valid" >scenario; waiting++ }
        else if (round == 4) { print "completed yes" >scenario; thrown++; if (f < frames) pushed++ }
        else if (round == 5) print "completed no" >scenario
        else waiting++
    }
    printf "frames: %d\n", frames * cycles
    printf "passes: %d (not carrying %d, prompt removed %d, entity check failed %d, " \
           "not completed %d, thrown %d)\n", (idle + removed + failed + waiting + thrown) * cycles,
           idle * cycles, removed * cycles, failed * cycles, waiting * cycles, thrown * cycles
    printf "prompts created: %d\n", created * cycles
    printf "pushes: %d, force (15.0, 0.0, 5.0) %d times\n", pushed * cycles, pushed * cycles
}' >"$workdir/expected"

status=0
"$here/../wine/wine-run" "$build/vaxo-sim.exe" --quiet --key-storm --cycles "$cycles" \
    --workdir "$workdir" "$build/Vaxo.asi" "$workdir/scenario.txt" >"$workdir/summary" ||
    status=$?
grep -v '^cycle [0-9]*: scriptRegister 1, ' "$workdir/summary" || true

[ "$status" -eq 0 ] || fail "vaxo-sim exited with $status"
while IFS= read -r line; do
    grep -qxF "$line" "$workdir/summary" || fail "expected '$line'"
done <"$workdir/expected"
events=$(sed -n 's/^key events from a second thread: //p' "$workdir/summary")
[ "${events:-0}" -gt 0 ] || fail "no key event reached the plug-in"

report_verdict
