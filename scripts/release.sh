#!/bin/sh
# Packs the Windows program for users: Kelvo.exe with its help document and
# licence, side by side at the top of Kelvo.zip (the program looks for
# ReadMe.html in its own folder).
#
# KELVO_WINDOWS_BUILD names the Windows build folder (default build/windows,
# relative to the source root). It is configured on first use and brought up
# to date before packing; the archive is written inside it.
set -eu

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KELVO_WINDOWS_BUILD:-build/windows}"
case "$build" in
    /*) ;;
    *) build="$root/$build" ;;
esac

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
fi
cmake --build "$build" --target Kelvo -j2

exe="$build/Kelvo.exe"
if [ ! -f "$exe" ]; then
    echo "release: $exe was not built" >&2
    exit 1
fi

stage="$build/release"
rm -rf "$stage"
mkdir -p "$stage"
cp "$exe" "$stage/Kelvo.exe"
cp "$root/resources/ReadMe.html" "$stage/ReadMe.html"
cp "$root/LICENSE" "$stage/LICENSE"

zipFile="$build/Kelvo.zip"
rm -f "$zipFile"
(cd "$stage" && zip -q -X "$zipFile" Kelvo.exe ReadMe.html LICENSE)
echo "release: $zipFile"
