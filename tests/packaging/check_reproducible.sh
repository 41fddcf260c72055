#!/usr/bin/env bash
# Builds the release a second time, from a copy of the source at another
# path and at a later time, cloned as Git for Windows clones by default
# (core.autocrlf=true), and checks that it gives the very bytes the first
# build did: the plug-in, its debug file, both archives, the buildinfo and
# their sums.
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
source=$1
build=$2
version=$3

elsewhere=$(mktemp -d)
trap 'rm -rf "$elsewhere"' EXIT
copy=$elsewhere/another/checkout
# The same commit, with what the working tree changes on top of it.
git clone --quiet --no-local --config core.autocrlf=true "$source" "$copy"
(cd "$source" && git ls-files -z --modified --others --exclude-standard) |
    while IFS= read -r -d '' file; do
        if [ -e "$source/$file" ]; then
            mkdir -p "$copy/$(dirname "$file")"
            cp -p "$source/$file" "$copy/$file"
        else
            rm -f "$copy/$file"
        fi
    done

if ! (cd "$copy" && cmake --preset windows && cmake --build --preset windows --target release) \
    >"$elsewhere/log" 2>&1; then
    tail -n 30 "$elsewhere/log"
    fail "the second build failed"
fi
for file in Vaxo.asi Vaxo.asi.debug "Vaxo-$version.zip" "Vaxo-$version-symbols.zip" \
    "Vaxo-$version.buildinfo" SHA256SUMS; do
    cmp "$build/$file" "$copy/build/windows/$file" || fail "$file differs"
done

report_verdict
