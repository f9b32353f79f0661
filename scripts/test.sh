#!/bin/bash
# Sets the machine up, builds the native and the Windows build and runs
# both test sets (the Windows one under Wine). Then the native tests once
# more under AddressSanitizer and UndefinedBehaviorSanitizer, the tests that
# use real worker threads under ThreadSanitizer, and, when clang is there,
# each fuzz target for a minute with libFuzzer. Ends with one line
# "N passed, N failed" over all of them; exits non-zero on any failure.
#
# Build folders: build/native, build/windows, build/asan, build/tsan and
# build/fuzz, or the folders named by KELVO_NATIVE_BUILD, KELVO_WINDOWS_BUILD,
# KELVO_ASAN_BUILD, KELVO_TSAN_BUILD and KELVO_FUZZ_BUILD. KELVO_FUZZ_SECONDS
# sets the time of each fuzz run (60).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
nativeBuild="$(realpath -m "${KELVO_NATIVE_BUILD:-$root/build/native}")"
windowsBuild="$(realpath -m "${KELVO_WINDOWS_BUILD:-$root/build/windows}")"
asanBuild="$(realpath -m "${KELVO_ASAN_BUILD:-$root/build/asan}")"
tsanBuild="$(realpath -m "${KELVO_TSAN_BUILD:-$root/build/tsan}")"
fuzzBuild="$(realpath -m "${KELVO_FUZZ_BUILD:-$root/build/fuzz}")"
fuzzSeconds="${KELVO_FUZZ_SECONDS:-60}"
jobs="${KELVO_JOBS:-2}"

# The tests that run the worker thread beside the window's thread.
threadTests='MainDialogRunTest.*:*MainDialogCommandTest.*:*MainDialogFocusTest.*:RunEndTest.*:WorkerControlTest.*:MainDialogTipsTest.*:FailureSweepDialogTest.*:MainDialogRecordsTest.*'

"$root/scripts/setup.sh"

passed=0
failed=0

# Builds one configuration and runs its tests; adds to the counts. A build
# that fails counts as one failed test.
BuildAndTest() {
    local name="$1" folder="$2"
    shift 2
    echo "== $name build in $folder"
    if ! cmake -S "$root" -B "$folder" "$@" || ! cmake --build "$folder" -j "$jobs"; then
        echo "== $name build failed"
        failed=$((failed + 1))
        return
    fi
    echo "== $name tests"
    local log
    log="$(mktemp)"
    (cd "$folder" && ctest --output-on-failure) 2>&1 | tee "$log" || true
    local summary total bad
    summary="$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1 || true)"
    rm -f "$log"
    if [ -z "$summary" ]; then
        echo "== $name: ctest gave no summary"
        failed=$((failed + 1))
        return
    fi
    bad="$(sed -E 's/.*, ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")"
    total="$(sed -E 's/.*, ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$summary")"
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

# Builds the unit tests in one folder and runs those matching a gtest
# filter; counts as one test.
BuildAndRunUnitTests() {
    local name="$1" folder="$2" filter="$3"
    shift 3
    echo "== $name build in $folder"
    if ! cmake -S "$root" -B "$folder" "$@" || ! cmake --build "$folder" -j "$jobs" --target kelvo_unit_tests; then
        echo "== $name build failed"
        failed=$((failed + 1))
        return
    fi
    echo "== $name tests ($filter)"
    if "$folder/kelvo_unit_tests" --gtest_filter="$filter"; then
        passed=$((passed + 1))
    else
        echo "== $name tests failed"
        failed=$((failed + 1))
    fi
}

# Runs every libFuzzer target for fuzzSeconds on a copy of its seed corpus
# (new inputs stay in the build folder); each target counts as one test,
# failed when the target crashed or broke a promise.
FuzzTargets() {
    echo "== fuzz build in $fuzzBuild"
    if ! CXX=clang++ cmake -S "$root" -B "$fuzzBuild" -DKELVO_FUZZ=ON -DKELVO_SANITIZE=address,undefined; then
        failed=$((failed + 1))
        return
    fi
    local source name
    for source in "$root"/fuzz/*Fuzz.cpp; do
        name="$(basename "$source" Fuzz.cpp)"
        if ! cmake --build "$fuzzBuild" -j "$jobs" --target "fuzz_${name}_libfuzzer"; then
            echo "== fuzz $name build failed"
            failed=$((failed + 1))
            continue
        fi
        mkdir -p "$fuzzBuild/corpus/$name" "$fuzzBuild/findings/$name"
        echo "== fuzz $name for ${fuzzSeconds}s"
        if (cd "$fuzzBuild/findings/$name" &&
            "$fuzzBuild/fuzz_${name}_libfuzzer" -max_total_time="$fuzzSeconds" -print_final_stats=1 \
                "$fuzzBuild/corpus/$name" "$root/fuzz/corpus/$name" 2>&1 | grep -E '^(stat::number_of_executed_units|#[0-9]+ +DONE)|promise broken|ERROR|SUMMARY'
            exit "${PIPESTATUS[0]}"); then
            passed=$((passed + 1))
        else
            echo "== fuzz $name failed; the input is in $fuzzBuild/findings/$name"
            failed=$((failed + 1))
        fi
    done
}

BuildAndTest native "$nativeBuild"
BuildAndTest windows "$windowsBuild" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}" \
    BuildAndTest asan+ubsan "$asanBuild" -DKELVO_SANITIZE=address,undefined
TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1}" \
    BuildAndRunUnitTests tsan "$tsanBuild" "$threadTests" -DKELVO_SANITIZE=thread
if command -v clang++ >/dev/null; then
    FuzzTargets
else
    echo "== no clang++: fuzz targets replayed their corpus only"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
