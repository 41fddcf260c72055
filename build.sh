#!/usr/bin/env bash
# Sets up what a fresh Debian machine lacks, builds both presets, then plays
# the demo, runs the tests or runs the long stress tests.
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake ninja-build g++ googletest libgtest-dev clang-format-19
    g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 wine64 zip
)

# Only the fuzz and bench commands need these: clang with libFuzzer, Google
# Benchmark, and the two INI parsers the benchmarks compare against.
measurement_packages=(
    clang-19 libclang-rt-19-dev pkg-config libbenchmark-dev libinih-dev libsimpleini-dev
)

usage() {
    echo "usage: ./build.sh demo|test|stress|release|fuzz [SECONDS]|bench|traces [CASE ...]" >&2
    exit 2
}

# Whether $1 is installed for architecture $2 or for all. dpkg-query prints a
# line for each architecture it knows the package for, so one installed for a
# foreign architecture too has two lines, and one installed only for a foreign
# one does not count.
installed() {
    local line
    while IFS= read -r line; do
        case $line in
        "install ok installed $2" | "install ok installed all") return 0 ;;
        esac
    done < <(dpkg-query -W -f='${Status} ${Architecture}\n' "$1" 2>/dev/null)
    return 1
}

install_missing() {
    local missing=() architecture
    architecture=$(dpkg --print-architecture)
    for package in "${packages[@]}"; do
        installed "$package" "$architecture" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# Configures and builds each preset named, and stops the whole command at the
# first that fails: tests must never run on what an earlier build left.
build() {
    local preset
    for preset in "$@"; do
        cmake --preset "$preset" >/dev/null || stop "configuring the $preset preset failed"
        cmake --build --preset "$preset" || stop "building the $preset preset failed"
    done
}

stop() {
    echo "./build.sh: $*" >&2
    exit 1
}

demo() {
    local workdir=build/demo
    mkdir -p "$workdir"
    tests/wine/wine-run build/windows/vaxo-sim.exe --workdir "$workdir" \
        build/windows/Vaxo.asi standin_host/scenarios/episode.txt
}

# The players' archive, the symbols archive, the buildinfo and their sums, as
# the build made them.
release() {
    local version
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
    mkdir -p dist
    cp "build/windows/Vaxo-$version.zip" "build/windows/Vaxo-$version-symbols.zip" \
        "build/windows/Vaxo-$version.buildinfo" build/windows/SHA256SUMS dist/
    echo "dist/SHA256SUMS:"
    cat dist/SHA256SUMS
}

# Both suites run whatever the first reports; each one's verdict and failed
# tests are repeated at the end, where the native ones would otherwise have
# scrolled far out of sight.
run_tests() {
    local preset status=0
    for preset in native windows; do
        ctest --preset "$preset" | tee "build/$preset/ctest.log" || status=1
    done
    echo
    for preset in native windows; do
        echo "$preset: $(grep -E '^[0-9]+% tests passed' "build/$preset/ctest.log" | tail -n 1)"
        sed -n '/^The following tests FAILED:$/,$ s/^\t */    /p' "build/$preset/ctest.log"
    done
    return "$status"
}

# Rewrites expected.trace of the named Windows cases (folders under
# tests/wine/cases), or of every case, from what this build prints; each case
# is then checked as its test checks it, and only a case that passes gets its
# file written. git diff shows what changed.
update_traces() {
    local cases=("$@") failed=0
    [ ${#cases[@]} -gt 0 ] || cases=(tests/wine/cases/*/)
    local case_dir
    for case_dir in "${cases[@]}"; do
        case_dir=tests/wine/cases/$(basename "$case_dir")
        [ -f "$case_dir/scenario.txt" ] || { echo "no case $case_dir" >&2 && return 2; }
        echo "$case_dir"
        tests/wine/run_case.sh --update build/windows "$case_dir" || failed=1
    done
    return "$failed"
}

# The long fault and load runs, kept out of the plain test run.
run_stress() {
    ctest --preset stress
}

# Every fuzzer for SECONDS (60 unless given) from its seed corpus, under ASan
# and UBSan. New inputs collect in build/fuzz/corpus; an input that breaks a
# property is kept in build/fuzz/artifacts.
run_fuzzers() {
    local seconds=$1
    [[ $seconds =~ ^[1-9][0-9]*$ ]] || usage
    build fuzz
    mkdir -p build/fuzz/artifacts
    local fuzzer
    for fuzzer in classify_line_fuzzer ini_round_trip_fuzzer; do
        local corpus=build/fuzz/corpus/$fuzzer log=build/fuzz/$fuzzer.log
        mkdir -p "$corpus"
        echo "$fuzzer, ${seconds}s:"
        if ! "build/fuzz/fuzz/$fuzzer" -max_total_time="$seconds" -dict=fuzz/ini.dict \
            -print_final_stats=1 -artifact_prefix="build/fuzz/artifacts/$fuzzer-" \
            "$corpus" "fuzz/corpus/$fuzzer" >"$log" 2>&1; then
            tail -n 30 "$log"
            echo "$fuzzer failed: input in build/fuzz/artifacts, log in $log" >&2
            return 1
        fi
        grep -E '^(Done|stat::(average_exec_per_sec|new_units_added))' "$log"
    done
}

# Optimised, without sanitizers; the table is printed and kept as JSON. Then
# the plug-in's size and what a load of it costs, under Wine.
run_benchmarks() {
    cmake --preset bench >/dev/null || stop "configuring the bench preset failed"
    cmake --build --preset bench --target vaxo_bench || stop "building the bench preset failed"
    build/bench/bench/vaxo_bench \
        --benchmark_out=build/bench/results.json --benchmark_out_format=json
    echo "JSON: build/bench/results.json"
    echo
    bench/plugin_footprint.sh build/windows
}

[ $# -eq 1 ] || { [ $# -eq 2 ] && [ "$1" = fuzz ]; } || { [ $# -gt 1 ] && [ "$1" = traces ]; } ||
    usage
# One command a line, not joined by &&: set -e does not stop a function
# called on the left of && at the failure inside it.
case "$1" in
demo)
    install_missing
    build native windows
    demo
    ;;
test)
    install_missing
    build native windows
    run_tests
    ;;
stress)
    install_missing
    build native windows
    run_stress
    ;;
release)
    install_missing
    build native windows
    release
    ;;
fuzz)
    packages+=("${measurement_packages[@]}")
    install_missing
    run_fuzzers "${2:-60}"
    ;;
bench)
    packages+=("${measurement_packages[@]}")
    install_missing
    build native windows
    run_benchmarks
    ;;
traces)
    shift
    install_missing
    build native windows
    update_traces "$@"
    ;;
*) usage ;;
esac
