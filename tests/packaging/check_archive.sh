#!/usr/bin/env bash
# Extracts the release archives as a player would, into a game folder, and
# checks that the player gets at its root exactly the plug-in as built, a
# readme for this version and the license, under Vaxo's names; that the
# symbols archive holds at its root the debug file the plug-in names, with
# which the README's crash-offset recipe finds a known function and its
# source file; and that SHA256SUMS sums both archives.
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
# Each archive on its own, so that neither hides a file the other should hold.
mkdir game symbols
(cd game && cmake -E tar xf "$archive")
(cd symbols && cmake -E tar xf "$symbols")

listing=$(cd game && find . -mindepth 1 | LC_ALL=C sort)
expected=$(printf './%s\n' Vaxo-LICENSE.txt Vaxo-README.txt Vaxo.asi)
[ "$listing" = "$expected" ] || fail "the players' archive holds"$'\n'"$listing"
listing=$(cd symbols && find . -mindepth 1)
[ "$listing" = ./Vaxo.asi.debug ] || fail "the symbols archive holds"$'\n'"$listing"

cmp -s game/Vaxo.asi "$plugin" || fail "Vaxo.asi differs from the build's"
grep -q "^Vaxo $version" game/Vaxo-README.txt || fail "readme does not name version $version"
for word in forwardforce=15.0 upforce=5.0 Install Uninstall "If the prompt never appears" \
    "If no Vaxo.ini appears" SHA256SUMS; do
    grep -q "$word" game/Vaxo-README.txt || fail "readme lacks $word"
done
grep -q "MIT License" game/Vaxo-LICENSE.txt || fail "license missing"

# The debug link: the file's name, then its CRC-32, the one gzip keeps too.
x86_64-w64-mingw32-objcopy --dump-section .gnu_debuglink=debuglink "$plugin" plugin.copy ||
    fail "Vaxo.asi has no debug link"
[ "$(head -c 14 debuglink)" = Vaxo.asi.debug ] || fail "the debug link names another file"
cmp -s <(tail -c 4 debuglink) <(gzip -c symbols/Vaxo.asi.debug | tail -c 8 | head -c 4) ||
    fail "the debug link's checksum is not that of the archived Vaxo.asi.debug"

# The recipe runs where the symbols archive was extracted, by its own path.
cd symbols
debug=Vaxo.asi.debug
base=$(x86_64-w64-mingw32-objdump -p "$debug" | awk '$1 == "ImageBase" { print "0x" $2 }')
address=$(x86_64-w64-mingw32-nm -C "$debug" | awk '$3 ~ /^recordKeyEvent\(/ { print "0x" $1 }')
recipe=$(awk '/^### From a crash report to a line of code/ { section = 1 }
              section && /^```/ { if (block) exit; block = 1; next }
              block' "$readme" |
    sed -e "s|^offset=.*|offset=$(printf '%#x' $((address - base)))|")
found=$(bash -c "$recipe" 2>&1 | sed -n 1p) || fail "the README's recipe fails"
[[ $found == "recordKeyEvent("*") at ./plugin/key_state_table.cpp:"[0-9]* ]] ||
    fail "the README's recipe names '$found', not recordKeyEvent in plugin/key_state_table.cpp"

sums=$(dirname "$archive")/SHA256SUMS
release=Vaxo-$version
[ "$(awk '{ print $2 }' "$sums")" = "$(printf '%s\n' "$release.zip" "$release-symbols.zip")" ] ||
    fail "SHA256SUMS does not list exactly the two archives"
(cd "$(dirname "$archive")" && sha256sum --check --strict --quiet SHA256SUMS) ||
    fail "SHA256SUMS does not match the archives"

report_verdict
