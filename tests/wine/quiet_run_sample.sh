#!/usr/bin/env bash
# Runs the quiet run that standin_host/README.md shows, as it is written
# there, and checks that it prints the sample below it, but for the lines
# that differ from run to run: the timings, the storm's count and the
# process's counts of handles and memory. A change to the calls the loop
# makes changes the counts, and the sample must follow.
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
source=$1
readme=$source/standin_host/README.md

# The first two code blocks of "### Quiet runs": the command, then its output.
block() {
    awk -v wanted="$1" '/^### / { section = ($0 == "### Quiet runs") }
                        section && /^```/ { inside = !inside; if (!inside) ++done; next }
                        section && inside && done == wanted' "$readme"
}
steady() {
    grep -Ev '^(longest frame|play time|key events|handles after|private bytes after|heap bytes after)' || true
}
command=$(block 0)
[ -n "$command" ] || fail "no command in the Quiet runs section of $readme"

status=0
printed=$(cd "$source" && bash -c "$command") || status=$?
[ "$status" -eq 0 ] || fail "the sample's command exited with $status"
# The sample leaves out the lines of cycles 3 and on.
shown=$(awk '/^cycle ([3-9]|[1-9][0-9]+): / { if (!cut) print "..."; cut = 1; next } { print }' \
    <<<"$printed" | steady)
sample=$(block 1 | steady)
[ "$shown" = "$sample" ] || fail "$readme's quiet-run sample (<) differs from what its" \
    "command prints (>):"$'\n'"$(diff <(echo "$sample") <(echo "$shown"))"
report_verdict
