#!/usr/bin/env bash
# Plays one case in the stand-in host under Wine, in a fresh working
# directory, and compares the trace and the settings file it leaves.
# With --update first, the first play's trace is the expectation the rest is
# compared with, and becomes the case's expected.trace only if the whole case
# then passes.
#
# A case folder holds scenario.txt and expected.trace, and optionally:
#   given.ini        copied to Vaxo.ini before the first start
#   given-*.ini      the same settings saved another way: each is played in a
#                    directory of its own and must give the same trace, but
#                    for the file's size on its last line
#   given-directory  Vaxo.ini is made a directory instead
#   expected.ini     the bytes Vaxo.ini must hold afterwards
#                    (without it, a given file must be left unchanged)
#   starts           how many times the script is started in that directory
#   locale           the C runtime's locale the host sets before the load
#   mxcsr            the game's SSE control and status register, in which the
#                    host runs the plug-in's code
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
update=no
if [ "$1" = --update ]; then
    update=yes
    shift
fi
build=$1
case_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

starts=1
[ -f "$case_dir/starts" ] && starts=$(cat "$case_dir/starts")
host_options=()
[ -f "$case_dir/locale" ] && host_options+=(--locale "$(cat "$case_dir/locale")")
[ -f "$case_dir/mxcsr" ] && host_options+=(--mxcsr "$(cat "$case_dir/mxcsr")")

expected=$case_dir/expected.trace
if [ "$update" = yes ]; then
    expected=$scratch/expected.trace
elif [ ! -f "$expected" ]; then
    fail "no $expected; ./build.sh traces $(basename "$case_dir") writes it"
    report_verdict || exit
fi

# play GIVEN: GIVEN is the file to start from, or empty for none.
play() {
    local given=$1 name=${1:+$(basename "$1"): }
    local workdir=$scratch/${1:+$(basename "$1")}/game
    mkdir -p "$workdir"
    [ -n "$given" ] && cp "$given" "$workdir/Vaxo.ini"
    [ -f "$case_dir/given-directory" ] && mkdir "$workdir/Vaxo.ini"

    local start
    for start in $(seq "$starts"); do
        if ! "$here/wine-run" "$build/vaxo-sim.exe" "${host_options[@]}" --workdir "$workdir" \
            "$build/Vaxo.asi" "$case_dir/scenario.txt" >"$workdir.trace"; then
            fail "${name}start $start: vaxo-sim exited non-zero"
        elif [ ! -f "$expected" ]; then
            cp "$workdir.trace" "$expected"
        fi
        # Nothing to compare with when an update's first start failed.
        [ -f "$expected" ] || continue
        if [ -n "$given" ]; then
            sed "s/^Vaxo.ini: [0-9]* bytes$/Vaxo.ini: $(stat -c %s "$given") bytes/" \
                "$expected" >"$workdir.expected"
        else
            cp "$expected" "$workdir.expected"
        fi
        if ! diff -u --label "$case_dir/expected.trace" --label "${name}start $start" \
            "$workdir.expected" "$workdir.trace"; then
            fail "${name}start $start: trace differs; if the change is meant," \
                "./build.sh traces $(basename "$case_dir") rewrites it"
        fi
    done

    local expected_ini=$case_dir/expected.ini
    [ -f "$expected_ini" ] || expected_ini=$given
    if [ -n "$expected_ini" ] && ! cmp "$expected_ini" "$workdir/Vaxo.ini"; then
        fail "${name}Vaxo.ini differs from $(basename "$expected_ini")"
    fi
}

# given.ini first: an updated expected.trace then names its size.
givens=()
[ -f "$case_dir/given.ini" ] && givens+=("$case_dir/given.ini")
for given in "$case_dir"/given-*.ini; do
    [ -f "$given" ] && givens+=("$given")
done
if [ ${#givens[@]} -gt 0 ]; then
    for given in "${givens[@]}"; do
        play "$given"
    done
else
    play ""
fi

if [ "$update" = yes ]; then
    if [ "$failures" -eq 0 ]; then
        cp "$expected" "$case_dir/expected.trace"
    else
        echo "$case_dir/expected.trace not written: the case fails"
    fi
fi
report_verdict
