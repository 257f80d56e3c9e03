#!/usr/bin/env bash
# Measures which production lines and branches the test suite runs.
#   scripts/coverage.sh            build with coverage, run the suite, print the summary
#   scripts/coverage.sh --report   only summarise the last run again
# The build goes to build/coverage (Debug, instrumented with --coverage). The
# summary counts the code of contract/, platform/, modstudy/, host/ and
# content/; tests, the test harness, benchmarks and generated sources are left
# out. Per-file figures: build/coverage/coverage.txt; the totals for
# comparison between two trees: build/coverage/coverage.json.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
export QT_QPA_PLATFORM=offscreen
export CCACHE_BASEDIR="$root"
out="$root/build/coverage"

if [ "${1:-}" != "--report" ]; then
    cmake --preset coverage >/dev/null
    cmake --build --preset coverage
    # Counters of an earlier run would add to this one.
    find "$out" -name '*.gcda' -delete
    ctest --preset coverage -j2
fi

# The code of the suite's programs is counted where it was compiled
# (build/coverage); --root names the sources so the filters apply.
filters=(--filter "$root/(contract|platform|modstudy|host|content)/"
         --exclude ".*/tests/.*" --exclude "$root/build/.*")
gcovr --root "$root" --object-directory "$out" "${filters[@]}" \
    --exclude-unreachable-branches --exclude-throw-branches \
    --txt "$out/coverage.txt" --json-summary "$out/coverage.json" \
    --print-summary -j 2 "$out"
