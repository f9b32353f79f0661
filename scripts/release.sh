#!/bin/sh
# Packs the Windows program for users: Kelvo.exe with its help document and
# licence, side by side at the top of Kelvo.zip (the program looks for
# ReadMe.html in its own folder).
#
# The program is built for the purpose in a folder of its own, as Release,
# and the linker leaves out its symbols; the tests' builds are never packed.
# The archive is reproducible: the same sources give the same bytes, since
# the linker writes no time stamp (a separate strip would write one), every
# entry carries one fixed time (the last commit's, or SOURCE_DATE_EPOCH when
# set) and fixed permissions, the entries are sorted and no extra fields are
# stored.
#
# KELVO_RELEASE_BUILD names the build folder (default build/release,
# relative to the source root). It is configured and brought up to date
# before packing; the archive is written inside it.
set -eu

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KELVO_RELEASE_BUILD:-build/release}"
case "$build" in
    /*) ;;
    *) build="$root/$build" ;;
esac

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_EXE_LINKER_FLAGS_RELEASE="-s -Wl,--no-insert-timestamp" >/dev/null
cmake --build "$build" --target Kelvo -j2

exe="$build/Kelvo.exe"
if [ ! -f "$exe" ]; then
    echo "release: $exe was not built" >&2
    exit 1
fi

epoch="${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)}"

stage="$build/release"
rm -rf "$stage"
mkdir -p "$stage"
cp "$exe" "$stage/Kelvo.exe"
cp "$root/resources/ReadMe.html" "$stage/ReadMe.html"
cp "$root/LICENSE" "$stage/LICENSE"
chmod 0755 "$stage/Kelvo.exe"
chmod 0644 "$stage/ReadMe.html" "$stage/LICENSE"
# zip stores local time: one zone for the stamp and the archive alike.
TZ=UTC0 touch -d "@$epoch" "$stage/Kelvo.exe" "$stage/ReadMe.html" "$stage/LICENSE"

zipFile="$build/Kelvo.zip"
rm -f "$zipFile"
(cd "$stage" && ls | LC_ALL=C sort | TZ=UTC0 zip -q -X -D "$zipFile" -@)
echo "release: $zipFile"
