#!/bin/bash
# Builds the Windows program and starts it under Wine with the Japanese
# locale (ANSI code page 932). Arguments are handed to the program.
# Without a DISPLAY it starts a private Xvfb, waits for the window, saves a
# screenshot to the build folder and stops again.
#
# Build folder: build/windows, or the folder named by KELVO_WINDOWS_BUILD.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${KELVO_WINDOWS_BUILD:-$root/build/windows}")"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
if ! cmake --build "$build" -j 2 --target Kelvo 2>/dev/null; then
    if [ ! -d "$root/app/win32" ]; then
        echo "Kelvo.exe is not built yet: its Windows sources (app/win32/) are not in this checkout." >&2
    else
        echo "Building Kelvo.exe failed; run: cmake --build $build --target Kelvo" >&2
    fi
    exit 1
fi
exe="$build/Kelvo.exe"
export KELVO_WINEPREFIX="$build/wineprefix"

if [ -n "${DISPLAY:-}" ]; then
    exec "$root/cmake/wine-emulator.sh" "$exe" "$@"
fi

displayFile="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayFile" >/dev/null 2>&1 &
xvfbPid=$!
programPid=""
Stop() {
    if [ -n "$programPid" ]; then
        kill "$programPid" 2>/dev/null || true
        wait "$programPid" 2>/dev/null || true
    fi
    WINEPREFIX="$KELVO_WINEPREFIX" wineserver -k 2>/dev/null || true
    kill "$xvfbPid" 2>/dev/null || true
    wait "$xvfbPid" 2>/dev/null || true
    rm -f "$displayFile"
}
trap Stop EXIT

for _ in $(seq 1 100); do
    [ -s "$displayFile" ] && break
    sleep 0.1
done
[ -s "$displayFile" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$displayFile")"

"$root/cmake/wine-emulator.sh" "$exe" "$@" &
programPid=$!

# Wine names its X windows' class after the executable.
shown=""
for _ in $(seq 1 600); do
    if xdotool search --onlyvisible --class 'kelvo.exe' >/dev/null 2>&1; then
        shown=yes
        break
    fi
    kill -0 "$programPid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$shown" ]; then
    echo "Kelvo's window did not appear." >&2
    exit 1
fi
sleep 2  # let the dialog draw its controls
import -window root "$build/screenshot.png"
echo "Screenshot saved to $build/screenshot.png"
