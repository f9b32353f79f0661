#!/bin/sh
# Runs a Windows test program under Wine (wine-emulator.sh) beside a tree
# of Unix symbolic links made here, as links in a user's folders look to
# Wine. KELVO_LINKS names the folder to make the tree in (a Unix path); the
# test sees it in Windows form (Z:\...). The folder is emptied first with
# rm, which removes links without following them.
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
root="$KELVO_LINKS"
rm -rf "$root"
mkdir -p "$root/outside/deep" "$root/T/sub"
for file in outside/o.txt outside/deep/d.txt beside.txt T/plain.txt T/sub/in.txt; do
    echo x >"$root/$file"
done
ln -s ../../outside "$root/T/sub/link"
ln -s .. "$root/T/loop"
ln -s ../outside/o.txt "$root/T/filelink.txt"
ln -s T "$root/TL"
KELVO_LINKS="Z:$(realpath "$root" | tr / '\\')"
export KELVO_LINKS
exec "$here/wine-emulator.sh" "$@"
