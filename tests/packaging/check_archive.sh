#!/usr/bin/env bash
# Opens the release archive and checks that a player gets exactly the
# plug-in as built, a readme for this version and the license.
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
archive=$1
plugin=$2
version=$3

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$archive")

listing=$(cd "$unpacked" && find . -type f | sort)
expected=$(printf "./Vaxo-$version/%s\n" LICENSE.txt README.txt Vaxo.asi)
[ "$listing" = "$expected" ] || fail "archive holds"$'\n'"$listing"

folder=$unpacked/Vaxo-$version
cmp -s "$folder/Vaxo.asi" "$plugin" || fail "Vaxo.asi differs from the build's"
grep -q "^Vaxo $version" "$folder/README.txt" || fail "readme does not name version $version"
for word in forwardforce=15.0 upforce=5.0 Install Uninstall; do
    grep -q "$word" "$folder/README.txt" || fail "readme lacks $word"
done
grep -q "MIT License" "$folder/LICENSE.txt" || fail "license missing"

report_verdict
