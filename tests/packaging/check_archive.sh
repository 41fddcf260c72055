#!/usr/bin/env bash
# Opens the release archives and checks that a player gets exactly the
# plug-in as built, a readme for this version and the license; that the
# symbols archive holds the debug file the plug-in names, with which the
# README's crash-offset recipe finds a known function and its source file;
# and that SHA256SUMS sums both archives.
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
archive=$1
symbols=$2
plugin=$3
version=$4
readme=$5

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
cd "$unpacked"
cmake -E tar xf "$archive"
cmake -E tar xf "$symbols"

listing=$(find . -type f | sort)
expected=$(printf "./Vaxo-$version/%s\n" LICENSE.txt README.txt Vaxo.asi Vaxo.asi.debug)
[ "$listing" = "$expected" ] || fail "the archives hold"$'\n'"$listing"

folder=Vaxo-$version
cmp -s "$folder/Vaxo.asi" "$plugin" || fail "Vaxo.asi differs from the build's"
grep -q "^Vaxo $version" "$folder/README.txt" || fail "readme does not name version $version"
for word in forwardforce=15.0 upforce=5.0 Install Uninstall "If the prompt never appears" \
    SHA256SUMS; do
    grep -q "$word" "$folder/README.txt" || fail "readme lacks $word"
done
grep -q "MIT License" "$folder/LICENSE.txt" || fail "license missing"

# The debug link: the file's name, then its CRC-32, the one gzip keeps too.
x86_64-w64-mingw32-objcopy --dump-section .gnu_debuglink=debuglink "$plugin" plugin.copy ||
    fail "Vaxo.asi has no debug link"
[ "$(head -c 14 debuglink)" = Vaxo.asi.debug ] || fail "the debug link names another file"
cmp -s <(tail -c 4 debuglink) <(gzip -c "$folder/Vaxo.asi.debug" | tail -c 8 | head -c 4) ||
    fail "the debug link's checksum is not that of the archived Vaxo.asi.debug"

debug=$folder/Vaxo.asi.debug
base=$(x86_64-w64-mingw32-objdump -p "$debug" | awk '$1 == "ImageBase" { print "0x" $2 }')
address=$(x86_64-w64-mingw32-nm -C "$debug" | awk '$3 ~ /^recordKeyEvent\(/ { print "0x" $1 }')
recipe=$(awk '/^### From a crash report to a line of code/ { section = 1 }
              section && /^```/ { if (block) exit; block = 1; next }
              block' "$readme" |
    sed -e "s|^debug=.*|debug=$debug|" -e "s|^offset=.*|offset=$(printf '%#x' $((address - base)))|")
found=$(bash -c "$recipe" 2>&1 | head -n 1)
[[ $found == "recordKeyEvent("*") at ./plugin/key_state_table.cpp:"[0-9]* ]] ||
    fail "the README's recipe names '$found', not recordKeyEvent in plugin/key_state_table.cpp"

sums=$(dirname "$archive")/SHA256SUMS
[ "$(awk '{ print $2 }' "$sums")" = "$(printf '%s\n' "$folder.zip" "$folder-symbols.zip")" ] ||
    fail "SHA256SUMS does not list exactly the two archives"
(cd "$(dirname "$archive")" && sha256sum --check --strict --quiet SHA256SUMS) ||
    fail "SHA256SUMS does not match the archives"

report_verdict
