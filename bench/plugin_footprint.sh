#!/usr/bin/env bash
# plugin_footprint.sh BUILD [RUNS]
# What Vaxo.asi costs the game it is loaded into. Its bytes by origin, from
# the link map: Vaxo's own code against the C++ and C runtimes linked into it.
# Then, under Wine in the stand-in host with the 42-byte default Vaxo.ini in
# place, the median over RUNS starts (21 unless given) of what a load adds to
# the process's private memory and heap, and of the time of the first frame,
# which is the settings load and the first yield.
set -euo pipefail
build=$1
runs=${2:-21}
here=$(cd "$(dirname "$0")" && pwd)

size=$(stat -c %s "$build/Vaxo.asi")
rows=$(awk '
function hex(text,   value, i) {
    value = 0
    for (i = 3; i <= length(text); i++)
        value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
    return value
}
function origin(file) {
    if (file ~ /libScriptHookRDR2-import\.a|lib[a-z0-9]+32\.a|libmsvcrt\.a/) return "import-stubs"
    if (file !~ /^\//) return "Vaxo"
    if (file ~ /libstdc\+\+\.a/) return "libstdc++"
    if (file ~ /libgcc(_eh)?\.a|crtbegin\.o|crtend\.o/) return "libgcc"
    return "MinGW-CRT"
}
function add(size, file) {
    if (section ~ /^\.(text|rdata|pdata|xdata|data|CRT|tls)$/) {
        bytes[origin(file)] += hex(size)
        part[origin(file), section == ".text" ? "code" : "data"] += hex(size)
    }
}
/^\.[a-zA-Z_]/ { section = $1 }
# An input section on one line, or its name alone with the rest on the next.
/^ \.[^ ]+ +0x[0-9a-f]+ +0x[0-9a-f]+ / { add($3, $4); next }
/^ \.[^ ]+$/ { pending = 1; next }
pending && /^ +0x[0-9a-f]+ +0x[0-9a-f]+ / { add($2, $3) }
{ pending = 0 }
END {
    for (name in bytes)
        printf "%-16s %9d %9d %9d\n", name, bytes[name], part[name, "code"], part[name, "data"]
}' "$build/Vaxo.map" | sort -k2 -rn)
printf "%-16s %9s %9s %9s\n" "Vaxo.asi" bytes code data
echo "$rows"
printf "%-16s %9d\n" "the rest" $((size - $(awk '{ sum += $2 } END { print sum }' <<<"$rows")))
printf "%-16s %9d\n" "in all" "$size"
echo "(the rest: headers, import and relocation tables, the version resource, alignment)"

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
printf 'frame 1\n' >"$workdir/first_frame.txt"
start() {
    "$here/../tests/wine/wine-run" "$build/vaxo-sim.exe" --quiet --footprint --workdir "$workdir" \
        "$build/Vaxo.asi" "$workdir/first_frame.txt"
}
start >/dev/null # writes the default file
for ((run = 0; run < runs; run++)); do
    start
done >"$workdir/runs"
[ "$(stat -c %s "$workdir/Vaxo.ini")" -eq 42 ] || echo "Vaxo.ini is not the default file" >&2

median() {
    sed 's/^+//' | sort -n | awk '{ value[NR] = $1 } END { print value[int((NR + 1) / 2)] }'
}
echo "median of $runs starts under Wine:"
for moment in "after attach" "after the host made the script fiber" "after the last frame"; do
    private=$(sed -n "s/^$moment: private bytes \([-+][0-9]*\),.*/\1/p" "$workdir/runs" | median)
    heap=$(sed -n "s/^$moment: .*heap bytes \([-+][0-9]*\)$/\1/p" "$workdir/runs" | median)
    printf "  %s: private bytes %+d, heap bytes %+d\n" "$moment" "$private" "$heap"
done
echo "  first frame: $(sed -n 's/^longest frame: \([0-9.]*\) ms (frame 1)$/\1/p' "$workdir/runs" |
    median) ms"
