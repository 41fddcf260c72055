#!/usr/bin/env bash
# Plays one case in the stand-in host under Wine, in a fresh working
# directory, and compares the trace and the settings file it leaves.
#
# A case folder holds scenario.txt and expected.trace, and optionally:
#   given.ini        copied to Vaxo.ini before the first start
#   given-directory  Vaxo.ini is made a directory instead
#   expected.ini     the bytes Vaxo.ini must hold afterwards
#                    (without it, a given.ini must be left unchanged)
#   starts           how many times the script is started in that directory
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
build=$1
case_dir=$2
here=$(cd "$(dirname "$0")" && pwd)

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
[ -f "$case_dir/given.ini" ] && cp "$case_dir/given.ini" "$workdir/Vaxo.ini"
[ -f "$case_dir/given-directory" ] && mkdir "$workdir/Vaxo.ini"
starts=1
[ -f "$case_dir/starts" ] && starts=$(cat "$case_dir/starts")

for start in $(seq "$starts"); do
    if ! "$here/wine-run" "$build/vaxo-sim.exe" --workdir "$workdir" "$build/Vaxo.asi" \
        "$case_dir/scenario.txt" >"$workdir.trace"; then
        fail "start $start: vaxo-sim exited non-zero"
    fi
    if ! diff -u "$case_dir/expected.trace" "$workdir.trace"; then
        fail "start $start: trace differs"
    fi
    rm -f "$workdir.trace"
done

expected_ini=$case_dir/expected.ini
[ -f "$expected_ini" ] || expected_ini=$case_dir/given.ini
if [ -f "$expected_ini" ] && ! cmp "$expected_ini" "$workdir/Vaxo.ini"; then
    fail "Vaxo.ini differs from $(basename "$expected_ini")"
fi

report_verdict
