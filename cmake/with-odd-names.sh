#!/bin/sh
# Runs an end-to-end test program (through xvfb-wine.sh) beside a tree of
# names that Windows' path parsing reads as another item, made here from
# the Unix side as Linux, WSL or Samba make them on a share: names ending
# in a dot or a space, and device names. KELVO_ODD_NAMES names the folder
# to make the tree in (a Unix path); the test sees it in Windows form.
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
root="$KELVO_ODD_NAMES"
rm -rf "$root"
mkdir -p "$root/T/dots." "$root/T/AUX"
for file in plain.txt x.txt "a." "b " CON com1.txt nul.log "dots./in.txt" "AUX/in.txt"; do
    echo x >"$root/T/$file"
done
KELVO_ODD_NAMES="Z:$(realpath "$root" | tr / '\\')"
export KELVO_ODD_NAMES
exec "$here/xvfb-wine.sh" "$@"
