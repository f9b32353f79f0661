#!/bin/bash
# Sets the machine up, builds the native and the Windows build and runs
# both test sets (the Windows one under Wine). Ends with one line
# "N passed, N failed" over both; exits non-zero on any failure.
#
# Build folders: build/native and build/windows, or the folders named by
# KELVO_NATIVE_BUILD and KELVO_WINDOWS_BUILD.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
nativeBuild="$(realpath -m "${KELVO_NATIVE_BUILD:-$root/build/native}")"
windowsBuild="$(realpath -m "${KELVO_WINDOWS_BUILD:-$root/build/windows}")"
jobs="${KELVO_JOBS:-2}"

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

BuildAndTest native "$nativeBuild"
BuildAndTest windows "$windowsBuild" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
