#!/usr/bin/env bash
# Sets up what a fresh Debian machine lacks, builds both presets, then plays
# the demo or runs every test.
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake ninja-build g++ googletest libgtest-dev clang-format
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64
)

usage() {
    echo "usage: ./build.sh demo|test|release" >&2
    exit 2
}

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

build() {
    for preset in native windows; do
        cmake --preset "$preset" >/dev/null
        cmake --build --preset "$preset"
    done
}

demo() {
    local workdir=build/demo
    mkdir -p "$workdir"
    tests/wine/wine-run build/windows/vaxo-sim.exe --workdir "$workdir" \
        build/windows/Vaxo.asi standin_host/scenarios/episode.txt
}

release() {
    local version
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
    mkdir -p dist
    cp "build/windows/Vaxo-$version.zip" dist/
    echo "dist/Vaxo-$version.zip"
}

run_tests() {
    ctest --preset native
    ctest --preset windows
}

[ $# -eq 1 ] || usage
case "$1" in
demo) install_missing && build && demo ;;
test) install_missing && build && run_tests ;;
release) install_missing && build && release ;;
*) usage ;;
esac
