#!/bin/bash
# Builds Kelvo.exe and its benchmark (Release, MinGW-w64) and runs the
# benchmark under Wine on a private Xvfb display. The trees are made in a
# fresh scratch folder that is removed afterwards. Arguments go to the
# benchmark, e.g.  scripts/benchmark.sh --trees a --jobs h --repeats 1
#
# Build folder: build/perf-windows, or KELVO_BENCHMARK_BUILD. KELVO_BENCHMARK_EXE
# times another Kelvo.exe (an older build, say) against the same baseline.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${KELVO_BENCHMARK_BUILD:-$root/build/perf-windows}")"

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2 --target kelvo_win32_benchmark >/dev/null

scratch="$build/benchmark-scratch"
trap 'rm -rf "$scratch"' EXIT
cd "$build"
KELVO_WINEPREFIX="$build/wineprefix" KELVO_EXE="${KELVO_BENCHMARK_EXE:-$build/Kelvo.exe}" KELVO_SCRATCH="$scratch" \
    "$root/cmake/xvfb-wine.sh" "$build/kelvo_win32_benchmark.exe" "$@"
