#!/usr/bin/env bash
# write_buildinfo.sh SOURCE VERSION EPOCH FILE
# Writes to FILE what a rebuild of the release needs in order to give the
# same bytes: the commit and whether the working tree differed from it, the
# file time of the archives' entries, and the Debian packages whose files go
# into those bytes, at their installed versions. Nothing of when or where the
# build ran, so that two clones of one commit write the same file.
set -euo pipefail
source=$1
version=$2
epoch=$3
file=$4

# The compilers (and their base package, whose version they pin), the MinGW-w64
# runtime and headers linked in, the binutils that link, strip and write the
# debug link, CMake and its modules, which set the default flags, Ninja, zip.
packages=(
    binutils-mingw-w64-x86-64 cmake cmake-data g++-mingw-w64-x86-64-win32 gcc-mingw-w64-base
    gcc-mingw-w64-x86-64-win32 mingw-w64-common mingw-w64-x86-64-dev ninja-build zip
)

if commit=$(git -C "$source" rev-parse HEAD 2>/dev/null); then
    # Ignored files are the build's own; untracked ones may be sources.
    if [ -n "$(git -C "$source" --no-optional-locks status --porcelain)" ]; then
        tree=modified
    else
        tree=clean
    fi
else
    commit=none
    tree=unknown
fi

{
    echo "Source: Vaxo"
    echo "Version: $version"
    echo "Commit: $commit"
    echo "Tree: $tree"
    echo "Source-Date-Epoch: $epoch"
    echo "Distribution: $(. /etc/os-release && echo "$PRETTY_NAME")"
    echo "Architecture: $(dpkg --print-architecture)"
    for package in "${packages[@]}"; do
        installed=$(dpkg-query -W -f='${db:Status-Status} ${Version}' "$package" 2>/dev/null) ||
            installed=
        if [ "${installed%% *}" != installed ]; then
            echo "write_buildinfo.sh: $package is not installed" >&2
            exit 1
        fi
        echo "Installed: $package ${installed#* }"
    done
} >"$file"
