#!/usr/bin/env bash
# Extracts the release archives as a player would, into a game folder, and
# checks that the player gets at its root exactly the plug-in as built, a
# readme for this version, which names the script hook's loader, gives the
# Linux launch option line as it is and has every part it sends players to,
# and the license, under Vaxo's names and with Windows line ends; that the
# symbols archive holds at its root the debug file the plug-in names, with
# which the README's crash-offset recipe finds a known function and its
# source file; that the buildinfo names the commit, the tree's state and the
# packages as they are, and no path of the build; and that SHA256SUMS sums
# both archives and the buildinfo.
set -euo pipefail
. "$(dirname "$0")/../verdict.sh"
archive=$1
symbols=$2
plugin=$3
version=$4
source=$5
readme=$source/README.md
build=$(dirname "$archive")
release=Vaxo-$version

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
for word in forwardforce=15.0 upforce=5.0 Install ScriptHookRDR2.dll dinput8.dll Uninstall \
    "If nothing happens" "Did Vaxo load?" "Vaxo did not load" "If no Vaxo.ini appears"; do
    grep -q "$word" game/Vaxo-README.txt || fail "readme lacks $word"
done
# Its lines as a player's editor shows them, without the CR of each end.
players_readme=$(sed 's/\r$//' game/Vaxo-README.txt)
# The readme sends players on by name, see "Permissions", at times across a
# line break: each name it sends them to must begin one of its lines.
while read -r name; do
    awk -v name="$name" 'index($0, name) == 1 { found = 1 } END { exit !found }' \
        <<<"$players_readme" || fail "readme sends players to \"$name\", which begins no line"
done < <(tr -s ' \n' '  ' <<<"$players_readme" | grep -o 'see "[^"]*"' |
    sed -e 's/^see "//' -e 's/"$//' | sort -u)
# Players copy the override into Steam's Launch Options: it must stand alone
# on its line, as it is. Read to the end: a reader that stops at the first
# match, as grep -q does, would kill its writer under pipefail.
override='WINEDLLOVERRIDES="dinput8=n,b" %command%'
awk -v line="$override" '{ sub(/^ */, "") } $0 == line { found = 1 } END { exit !found }' \
    <<<"$players_readme" || fail "readme lacks a line that is exactly $override"
# Kept to 76 columns, the readme shows unwrapped in a narrow editor window;
# kept to 130 lines, a player reads it through.
long=$(awk 'length > 76 { print FNR ": " length }' <<<"$players_readme")
[ -z "$long" ] || fail "readme lines longer than 76 columns (line: length):"$'\n'"$long"
[ "$(wc -l <<<"$players_readme")" -le 130 ] || fail "readme is longer than 130 lines"
grep -q "MIT License" game/Vaxo-LICENSE.txt || fail "license missing"
for text in game/*.txt; do
    ! grep -qv $'\r$' "$text" || fail "$(basename "$text") has a line without Windows' CR LF end"
done

# The debug link: the file's name, then its CRC-32, the one gzip keeps too.
x86_64-w64-mingw32-objcopy --dump-section .gnu_debuglink=debuglink "$plugin" plugin.copy ||
    fail "Vaxo.asi has no debug link"
[ "$(head -c 14 debuglink)" = Vaxo.asi.debug ] || fail "the debug link names another file"
cmp -s -n 4 <(tail -c 4 debuglink) <(gzip -c symbols/Vaxo.asi.debug | tail -c 8) ||
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

buildinfo=$build/$release.buildinfo
[ "$(sed -n 's/^Commit: //p' "$buildinfo")" = "$(git -C "$source" rev-parse HEAD)" ] ||
    fail "the buildinfo names another commit than the source's HEAD"
tree=clean
[ -z "$(git -C "$source" --no-optional-locks status --porcelain)" ] || tree=modified
grep -qx "Tree: $tree" "$buildinfo" || fail "the buildinfo does not call the tree $tree"
while read -r package named; do
    installed=$(dpkg-query -W -f='${Version}' "$package" 2>/dev/null) || installed=none
    [ "$named" = "$installed" ] ||
        fail "the buildinfo names $package $named, installed is $installed"
done < <(sed -n 's/^Installed: //p' "$buildinfo")
# Whatever package supplies a tool of the build or a file linked into the
# plug-in must be named.
compiler=x86_64-w64-mingw32-g++-win32
for file in "$(command -v "$compiler")" "$("$compiler" -print-prog-name=cc1plus)" \
    "$("$compiler" -print-file-name=libgcc.a)" "$("$compiler" -print-file-name=dllcrt2.o)" \
    /usr/x86_64-w64-mingw32/include/windows.h "$(command -v x86_64-w64-mingw32-ld)" \
    "$(command -v zip)" "$(command -v cmake)" "$(command -v ninja)"; do
    package=$(dpkg -S "$(readlink -f "$file")" | cut -d : -f 1) ||
        fail "$file comes from no package"
    grep -q "^Installed: $package " "$buildinfo" ||
        fail "the buildinfo does not name $package, which supplies $file"
done
! grep -F -e "$source" -e "$build" "$buildinfo" || fail "the buildinfo holds a path of the build"

sums=$build/SHA256SUMS
[ "$(awk '{ print $2 }' "$sums")" = \
    "$(printf '%s\n' "$release.zip" "$release-symbols.zip" "$release.buildinfo")" ] ||
    fail "SHA256SUMS does not list exactly the two archives and the buildinfo"
(cd "$build" && sha256sum --check --strict --quiet SHA256SUMS) ||
    fail "SHA256SUMS does not match the files"

report_verdict
