# Sourced by the test scripts: collects failed checks and closes with the
# one line ctest's readers understand, exiting non-zero when any check failed.
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

report_verdict() {
    echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
    [ "$failures" -eq 0 ]
}
