#!/usr/bin/env bash
# Every C++ file the repository tracks is laid out as .clang-format says.
set -euo pipefail
clang_format=$1
cd "$2"
mapfile -t files < <(git ls-files '*.cpp' '*.h')
"$clang_format" --dry-run --Werror "${files[@]}"
echo "${#files[@]} passed, 0 failed"
