#!/usr/bin/env bash
# Every C++ file the repository tracks is laid out as .clang-format says, in
# the layout of clang-format's major version MAJOR and no other.
set -euo pipefail
major=$1
clang_format=$2
cd "$3"
found=$("$clang_format" --version 2>/dev/null |
    sed -n 's/.*clang-format version \([0-9]*\)\..*/\1/p') || true
if [ "$found" != "$major" ]; then
    what="version ${found:-unknown}"
    "$clang_format" --version >/dev/null 2>&1 || what="not to be found"
    echo "FAIL: the style is clang-format $major's; $clang_format is $what."
    echo "Install clang-format-$major (./build.sh test does)."
    echo "0 passed, 1 failed"
    exit 1
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
"$clang_format" --dry-run --Werror "${files[@]}"
echo "${#files[@]} passed, 0 failed"
