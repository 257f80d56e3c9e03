#!/usr/bin/env bash
# Checks that the test suite still finds deliberate faults.
#   scripts/mutation-check.sh                 every tests/mutations/*.patch
#   scripts/mutation-check.sh 03 07           only the patches whose names start so
# Each patch puts one small fault into the production code. For each one the
# script applies it, builds (ninja rebuilds only what depends on the changed
# file), runs ctest and prints CAUGHT when a test fails, MISSED when every
# test passes (ERROR when the fault does not build). The patch is taken out
# again afterwards, also when the script fails or is interrupted.
# A patch's text before its diff may carry a line "Targets: <t> ..." that
# limits the build to those targets (and what they need) and a line
# "Tests: <regex>" that limits ctest to the matching tests; without them
# everything is built and the whole suite runs. Before any fault goes in,
# the same tests run once on the unchanged tree: they must all pass there,
# or a CAUGHT would mean nothing.
# Exit status: 0 when every fault was caught, 1 otherwise.
# Logs: build/default/mutations/<patch>.build.log and .ctest.log.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
export QT_QPA_PLATFORM=offscreen
export CCACHE_BASEDIR="$root"
preset=default
logs="$root/build/$preset/mutations"

patches=()
if [ $# -eq 0 ]; then
    patches=(tests/mutations/*.patch)
else
    for prefix in "$@"; do
        patches+=(tests/mutations/"$prefix"*.patch)
    done
fi

applied=""
revert() {
    if [ -n "$applied" ]; then
        git apply -R "$applied" || echo "mutation-check: could not take out $applied" >&2
        applied=""
    fi
}
trap revert EXIT
trap 'revert; exit 130' INT TERM

for patch in "${patches[@]}"; do
    if ! git apply --check "$patch" 2>/dev/null; then
        echo "mutation-check: $patch does not apply to this tree" >&2
        exit 2
    fi
done

cmake --preset "$preset" >/dev/null || exit 2
mkdir -p "$logs"

header() { sed -n "s/^$2: //p" "$1" | head -n 1; }
build() { # targets...
    local targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    nice -n 10 cmake --build --preset "$preset" "${targets[@]}"
}
# A test that fails only under load (a timing check on a busy machine) gets
# two more tries; a fault counts as caught only when some test fails all three.
run_tests() { # regex
    local args=(--preset "$preset" -j2 --repeat until-pass:3)
    [ -n "$1" ] && args+=(-R "$1")
    ctest "${args[@]}" "${@:2}"
}

# The unchanged tree first: every test a fault will be judged by must pass.
for patch in "${patches[@]}"; do
    name=$(basename "$patch" .patch)
    # shellcheck disable=SC2046
    if ! build $(header "$patch" Targets) >"$logs/$name.base.build.log" 2>&1 ||
        ! run_tests "$(header "$patch" Tests)" >"$logs/$name.base.ctest.log" 2>&1; then
        echo "mutation-check: the unchanged tree fails the tests of $name, see $logs/$name.base.*.log" >&2
        exit 2
    fi
done

missed=0
for patch in "${patches[@]}"; do
    name=$(basename "$patch" .patch)
    fault=$(header "$patch" Fault)
    git apply "$patch" || exit 2
    applied="$patch"
    start=$SECONDS
    detail=""
    # shellcheck disable=SC2046
    if ! build $(header "$patch" Targets) >"$logs/$name.build.log" 2>&1; then
        verdict=ERROR
        detail="(does not build)"
        missed=$((missed + 1))
    elif run_tests "$(header "$patch" Tests)" --stop-on-failure >"$logs/$name.ctest.log" 2>&1; then
        verdict=MISSED
        missed=$((missed + 1))
    else
        verdict=CAUGHT
        # The first failing test, as ctest names it.
        detail=$(grep -m 1 -E '\*\*\*(Failed|Exception|Timeout)' "$logs/$name.ctest.log" |
            sed -E 's/^.*Test +#[0-9]+: ([^ ]+).*$/(\1)/')
    fi
    revert
    printf '%-28s %-7s %5ss  %s %s\n' "$name" "$verdict" $((SECONDS - start)) "$fault" "$detail"
done

# Leave the binaries matching the sources again: those the patches built,
# or everything when a patch names no targets.
all_targets=()
for patch in "${patches[@]}"; do
    t=$(header "$patch" Targets)
    if [ -z "$t" ]; then
        all_targets=()
        break
    fi
    # shellcheck disable=SC2206
    all_targets+=($t)
done
build "${all_targets[@]}" >"$logs/restore.build.log" 2>&1 ||
    echo "mutation-check: the rebuild of the unchanged tree failed, see $logs/restore.build.log" >&2
echo "$(( ${#patches[@]} - missed ))/${#patches[@]} faults caught"
[ "$missed" -eq 0 ]
