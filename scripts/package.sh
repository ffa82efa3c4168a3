#!/usr/bin/env bash
# Makes and checks both packages of the last commit: the .deb of the Linux build and the
# .zip of the Windows build. The .deb must be lintian-clean, install and run; the .zip
# must hold picprobe.exe with README.txt and LICENSE.txt in CR LF. Everything is made
# twice, from two clones in two folders, and must come out byte for byte the same.
#   scripts/package.sh          (packages in build-package/one/packages)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$PWD/build-package

fail() {
    echo "package.sh: $*" >&2
    exit 1
}
need() {
    command -v "$1" > /dev/null || fail "$1 is missing; $2"
}
need git "the packages are made from clones of the last commit"
need mandoc "sudo apt-get install mandoc"
need groff "sudo apt-get install groff-base"
need dpkg-deb "sudo apt-get install dpkg-dev"
need lintian "sudo apt-get install lintian"
need i686-w64-mingw32-g++-posix "the .zip needs the Windows cross compiler: \
sudo apt-get install g++-mingw-w64-i686"

echo "== man page"
mandoc -Tlint picprobe.1
warnings=$(groff -ww -man -z picprobe.1 2>&1) # groff warns but still exits 0
[ -z "$warnings" ] || fail "$warnings"
echo "picprobe.1: lints clean"

# Builds only the program, for Linux and for Windows, and packages each.
make_packages() {
    local source=$1 build=$2
    cmake -S "$source" -B "$build/linux" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF > /dev/null
    cmake --build "$build/linux" --target picprobe --parallel "$(nproc)" > /dev/null
    (cd "$build/linux" && cpack -B "$build/packages" > /dev/null 2>&1) ||
        fail "cpack could not make the .deb in $build/linux"
    cmake -S "$source" -B "$build/windows" -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF > /dev/null
    cmake --build "$build/windows" --target picprobe --parallel "$(nproc)" > /dev/null
    (cd "$build/windows" && cpack -B "$build/packages" > /dev/null 2>&1) ||
        fail "cpack could not make the .zip in $build/windows"
}

echo "== two clean builds of $(git rev-parse --short HEAD) in two folders"
rm -rf "$out"
git clone -q . "$out/one/src"
git clone -q . "$out/two/a-longer-source-folder"
make_packages "$out/one/src" "$out/one"
make_packages "$out/two/a-longer-source-folder" "$out/two"
for file in linux/picprobe windows/picprobe.exe packages/picprobe_1.0.0_amd64.deb \
    packages/picprobe-1.0.0-win32.zip; do
    cmp "$out/one/$file" "$out/two/$file" || fail "$file differs between the two builds"
    echo "same bytes: $file"
done
packages=$out/one/packages
deb=$packages/picprobe_1.0.0_amd64.deb
zip=$packages/picprobe-1.0.0-win32.zip

echo "== the .deb"
lintian --fail-on error,warning "$deb" || fail "lintian finds fault with $deb"
deb_listing=$(dpkg-deb -c "$deb")
for file in usr/bin/picprobe usr/share/man/man1/picprobe.1.gz usr/share/doc/picprobe/changelog.gz \
    usr/share/doc/picprobe/copyright; do
    grep -q "\./$file\$" <<< "$deb_listing" || fail "$deb lacks $file"
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
dpkg-deb -x "$deb" "$prefix"
"$prefix/usr/bin/picprobe" examples/sample.jpg > /dev/null || fail "the packaged picprobe does not run"
echo "$deb: lintian-clean; unpacked and ran"

echo "== the .zip"
mkdir "$prefix/zip"
(cd "$prefix/zip" && cmake -E tar xf "$zip")
for file in picprobe.exe README.txt LICENSE.txt; do
    [ -f "$prefix/zip/$file" ] || fail "$zip lacks $file"
done
for file in README.txt LICENSE.txt; do
    # Every line ends in CR LF, so Notepad shows the lines apart.
    ! grep -q $'[^\r]$\|^$' "$prefix/zip/$file" || fail "$file in $zip has a line without CR LF"
done
echo "$zip: picprobe.exe, README.txt and LICENSE.txt in CR LF"
