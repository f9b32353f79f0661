#!/bin/bash
# Runs one Windows test program under Wine on a private Xvfb display.
# Xvfb picks a free display itself (-displayfd) and is stopped afterwards,
# whatever the test's outcome.
#
# In: the test program and its arguments; KELVO_EXE and KELVO_SCRATCH as
# Unix paths (from ctest). The test sees both in Windows form (Z:\...), so
# it can hand them straight to the system's process and file functions;
# the scratch folder is emptied before the run. KELVO_SCREEN, when set, is
# the screen's size (WIDTHxHEIGHT, 1024x768 by default).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

ToWindowsPath() {
    local unixPath
    unixPath="$(realpath -m "$1")"
    printf 'Z:%s' "${unixPath//\//\\}"
}

if [ -n "${KELVO_SCRATCH:-}" ]; then
    rm -rf "$KELVO_SCRATCH"
    mkdir -p "$KELVO_SCRATCH"
    export KELVO_SCRATCH="$(ToWindowsPath "$KELVO_SCRATCH")"
fi
if [ -n "${KELVO_EXE:-}" ]; then
    export KELVO_EXE="$(ToWindowsPath "$KELVO_EXE")"
fi

displayFile="$(mktemp)"
Xvfb -displayfd 3 -screen 0 "${KELVO_SCREEN:-1024x768}x24" -nolisten tcp 3>"$displayFile" >/dev/null 2>&1 &
xvfbPid=$!

# Wine's own processes leave once the test's programs are gone; a program
# the test left running is ended with this prefix's wineserver. Only then
# does the display go.
Stop() {
    if [ -n "${KELVO_WINEPREFIX:-}" ]; then
        WINEPREFIX="$KELVO_WINEPREFIX" timeout 30 wineserver -w 2>/dev/null ||
            WINEPREFIX="$KELVO_WINEPREFIX" wineserver -k 2>/dev/null || true
    fi
    kill "$xvfbPid" 2>/dev/null || true
    wait "$xvfbPid" 2>/dev/null || true
    rm -f "$displayFile"
}
trap Stop EXIT

for _ in $(seq 1 100); do
    [ -s "$displayFile" ] && break
    kill -0 "$xvfbPid" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
if [ ! -s "$displayFile" ]; then
    echo "Xvfb did not report a display" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$displayFile")"

"$here/wine-emulator.sh" "$@"
