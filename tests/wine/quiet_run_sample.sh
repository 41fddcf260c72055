#!/usr/bin/env bash
# Runs the quiet run that standin_host/README.md shows, as it is written
# there, on the binaries of the tree CTest was configured in, and checks
# that it prints the sample below it, but for the lines that differ from run
# to run (the timings, the storm's count and the process's counts of handles
# and memory) and the count of the plug-in's allocations, which any change
# to its code may move and which only has to show that the count reached
# it. A change to the calls the loop makes changes the other counts, and the
# sample must follow.
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
source=$1
binary=$2
readme=$source/standin_host/README.md

# The first two code blocks of "### Quiet runs": the command, then its output.
block() {
    awk -v wanted="$1" '/^### / { section = ($0 == "### Quiet runs") }
                        section && /^```/ { inside = !inside; if (!inside) ++done; next }
                        section && inside && done == wanted' "$readme"
}
steady() {
    grep -Ev '^(longest frame|play time|key events|handles after|private bytes after|heap bytes after|plug-in allocations:)' || true
}
command=$(block 0)
[ -n "$command" ] || fail "no command in the Quiet runs section of $readme"

# The command names build/windows and tests/ from the source's root: here
# they lead to the configured tree and the source's tests, and its
# mktemp -d makes its folder in the scratch folder, which goes at the end.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/build"
ln -s "$binary" "$scratch/build/windows"
ln -s "$source/tests" "$scratch/tests"
status=0
printed=$(cd "$scratch" && TMPDIR=$scratch bash -c "$command") || status=$?
[ "$status" -eq 0 ] || fail "the sample's command exited with $status"
# The sample leaves out the lines of cycles 3 and on.
shown=$(awk '/^cycle ([3-9]|[1-9][0-9]+): / { if (!cut) print "..."; cut = 1; next } { print }' \
    <<<"$printed" | steady)
allocations=$(sed -n 's/^plug-in allocations: //p' <<<"$printed")
[[ $allocations =~ ^[1-9][0-9]*$ ]] || fail "the count saw no allocation of the plug-in's: '$allocations'"
sample=$(block 1 | steady)
[ "$shown" = "$sample" ] || fail "$readme's quiet-run sample (<) differs from what its" \
    "command prints (>):"$'\n'"$(diff <(echo "$sample") <(echo "$shown"))"
report_verdict
