#!/usr/bin/env bash
# Lints the man page, installs into a scratch prefix, and makes both packages: the .deb
# of the Linux build and the .zip of the Windows build. Fails when any of them is wrong.
# Needs the default build (cmake --workflow --preset test) with its Windows leg.
set -euo pipefail
cd "$(dirname "$0")/.."
packages=build/packages

echo "== man page"
mandoc -Tlint picprobe.1
warnings=$(groff -ww -man -z picprobe.1 2>&1) # groff warns but still exits 0
[ -z "$warnings" ] || { echo "$warnings"; exit 1; }
echo "picprobe.1: lints clean"

echo "== install"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install build --prefix "$prefix" > /dev/null
for file in bin/picprobe share/man/man1/picprobe.1; do
    [ -f "$prefix/$file" ] || { echo "install lacks $file"; exit 1; }
done
"$prefix/bin/picprobe" examples/sample.jpg > /dev/null
echo "installed into a scratch prefix and ran"

echo "== packages"
rm -rf "$packages"
(cd build && cpack -B packages > /dev/null)
(cd build/windows32 && cpack -B ../packages > /dev/null)
deb=$(ls "$packages"/picprobe_*.deb)
zip=$(ls "$packages"/picprobe-*-win32.zip)
deb_listing=$(dpkg-deb -c "$deb")
for file in usr/bin/picprobe usr/share/man/man1/picprobe.1; do
    grep -q "\./$file\$" <<< "$deb_listing" || { echo "$deb lacks $file"; exit 1; }
done
zip_listing=$(cmake -E tar tf "$zip")
for file in picprobe.exe README.md LICENSE; do
    grep -qx "$file" <<< "$zip_listing" || { echo "$zip lacks $file"; exit 1; }
done
echo "made $deb and $zip"
