#!/usr/bin/env bash
# Starts the real Vaxo.asi in the stand-in host on one settings file that a
# careless editor or a broken disk could leave, generated here, and checks
# that the script throws with the forces the file holds or sits the episode
# out, and that the file is left as it was. Prints the time it took.
#
# Cases: fifty_megabytes ten_megabyte_line ten_megabyte_key million_sections
#        every_byte_loads every_byte_idles
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
build=$1
case_name=$2
here=$(cd "$(dirname "$0")" && pwd)

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
ini=$workdir/Vaxo.ini

every_byte() {
    local code
    for code in $(seq 0 255); do
        printf "\\$(printf %03o "$code")"
    done
}

# Each case writes Vaxo.ini and says what the run must show: the force of the
# one throw, or "idles".
case $case_name in
fifty_megabytes)
    # Editor-made sections up to 50 MB; a first settings section early on
    # whose forwardForce the one at the very end overrides.
    tail=$'\r\n[Settings]\r\nforwardForce = 20\r\nupForce = 8.5\r\n'
    {
        printf '[settings]\r\nforwardForce = 1\r\n'
        awk 'BEGIN {
            for (s = 1; ; s++) {
                printf "[section %d]\r\n; written by hand\r\n", s
                for (k = 1; k <= 20; k++) printf "key%d = value %d of section %d\r\n", k, k, s
            }
        }' | head -c $((50 * 1024 * 1024 - 30 - ${#tail})) || true
        printf '%s' "$tail"
    } >"$ini"
    expected="force (20.0, 0.0, 8.5)"
    ;;
ten_megabyte_line)
    # A value that runs on for 10 MB: the number at its start counts.
    {
        printf '[settings]\r\nforwardForce=20\r\n'
        printf 'upForce = 8.5 '
        yes 'and a note with a\=b in it, ' | tr -d '\n' | head -c $((10 * 1024 * 1024 - 14)) || true
        printf '\r\n'
    } >"$ini"
    expected="force (20.0, 0.0, 8.5)"
    ;;
ten_megabyte_key)
    # A line of 10 MB that is all escaped equals signs up to its separator:
    # each pair must cost the same, however many came before it.
    {
        printf '[settings]\r\n'
        yes '\=' | tr -d '\n' | head -c $((10 * 1024 * 1024 - 2)) || true
        printf '=1\r\nforwardForce=20\r\nupForce=8.5\r\n'
    } >"$ini"
    expected="force (20.0, 0.0, 8.5)"
    ;;
million_sections)
    # The settings section opens first and again, in other letters, after a
    # million others.
    {
        printf '[settings]\r\nforwardForce=20\r\n'
        awk 'BEGIN { for (s = 1; s <= 999998; s++) printf "[s%d]\r\nk=%d\r\n", s, s }'
        printf '[SETTINGS]\r\nupForce=8.5\r\n'
    } >"$ini"
    expected="force (20.0, 0.0, 8.5)"
    ;;
every_byte_loads)
    # All 256 byte values before the section and inside it: NULs and carriage
    # returns vanish, line feeds end lines, and the rest makes lines that are
    # dropped before the section or stored under a key nobody asks for. The
    # number stops at byte A0, which is not white space.
    {
        every_byte
        printf '\r\n[\0settings]\r\nforwardForce=\t20\xA0'
        every_byte
        printf '\r\nUPFORCE\0 = 8.5\v\f\r\n'
    } >"$ini"
    expected="force (20.0, 0.0, 8.5)"
    ;;
every_byte_idles)
    # All 256 byte values as the forwardForce value: the line ends at byte 0A,
    # and bytes 01 to 08 are no number, so the load fails and the script idles.
    {
        printf '[settings]\r\nforwardForce='
        every_byte
        printf '\r\nupForce=8.5\r\n'
    } >"$ini"
    expected=idles
    ;;
*)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac

bytes=$(stat -c %s "$ini")
before=$(sha256sum <"$ini")
started=$(date +%s%N)
status=0
"$here/../wine/wine-run" "$build/vaxo-sim.exe" --quiet --workdir "$workdir" "$build/Vaxo.asi" \
    "$here/scenarios/throw_facing_x.txt" >"$workdir/summary" || status=$?
took=$((($(date +%s%N) - started) / 1000000))
cat "$workdir/summary"

[ "$status" -eq 0 ] || fail "vaxo-sim exited with $status"
if [ "$expected" = idles ]; then
    grep -qx "natives: 0" "$workdir/summary" || fail "the script made native calls; it should idle"
    outcome="idled"
else
    grep -qx "pushes: 1, $expected 1 time" "$workdir/summary" || fail "expected one throw with $expected"
    outcome="threw with $expected"
fi
[ "$(sha256sum <"$ini")" = "$before" ] || fail "Vaxo.ini was changed"

load=$(sed -n 's/^longest frame: \(.*\) (frame 1)$/\1/p' "$workdir/summary")
echo "$case_name: $bytes bytes, $outcome; run $took ms, settings load ${load:-not the longest frame}"
report_verdict
