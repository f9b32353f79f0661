#!/bin/sh
# Runs a Windows program under Wine for ctest: a Wine prefix of its own in
# the build folder (created on first use), no Wine debug output, and the
# Japanese locale, so that the ANSI code page is 932, unless KELVO_WINE_LANG
# names another (en_US.UTF-8 or C.UTF-8 give code page 1252).
#
# KELVO_WINEPREFIX overrides the prefix; by default it is wineprefix/ in the
# current directory's build tree (ctest runs tests from the build folder).
# KELVO_LOGPIXELS, when set, is the display scaling in DPI that the prefix
# is set to first.
# One prefix serves every locale: each Wine process takes its code page
# from its own locale, even beside a wineserver started under another.
set -e
if [ -z "${KELVO_WINEPREFIX:-}" ]; then
    KELVO_WINEPREFIX="$(pwd)/wineprefix"
fi
export WINEPREFIX="$KELVO_WINEPREFIX"
export WINEDEBUG=-all
export LANG="${KELVO_WINE_LANG:-ja_JP.UTF-8}"
export LC_ALL="$LANG"
# No desktop integration or dialogs asking to install Mono or Gecko.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
fi
# The dialogs ask for MS PGothic; without it Wine falls back to a fixed-pitch
# face and captions are cut off. IPA PGothic has the same proportional metrics.
if [ ! -f "$WINEPREFIX/.kelvo-fonts" ]; then
    for face in "ＭＳ Ｐゴシック" "MS PGothic"; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "IPAPGothic" /f \
            >/dev/null 2>&1 || true
    done
    wineserver -w 2>/dev/null || true
    touch "$WINEPREFIX/.kelvo-fonts"
fi
# The display scaling, when a test asks for one: new processes take the
# prefix's LogPixels as they start, so the wineserver can stay.
if [ -n "${KELVO_LOGPIXELS:-}" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$KELVO_LOGPIXELS" /f >/dev/null 2>&1
fi
exec wine "$@"
