#!/usr/bin/env bash
# Plays a faulty plug-in in the stand-in host, with any further arguments as
# the host's options, and checks that the run fails with exit code 1 and names
# the fault, in words with nothing left unfilled.
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
build=$1
plugin=$2
scenario=$3
expected=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
status=0
"$here/wine-run" "$build/vaxo-sim.exe" "$@" --workdir "$workdir" "$plugin" "$scenario" \
    >/dev/null 2>"$workdir/stderr" || status=$?
cat "$workdir/stderr"
[ "$status" -eq 1 ] || fail "exit code $status, not 1"
grep -qF -- "$expected" "$workdir/stderr" ||
    fail "no '$expected' on stderr"
! grep -q '%[1-9]' "$workdir/stderr" || fail "a system text with its insert unfilled"
report_verdict
