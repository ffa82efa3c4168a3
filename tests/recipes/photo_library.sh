#!/bin/sh
# The README's recipes that give a photo library the camera's dates, run as the README
# prints them, on a folder holding a picture whose dates agree, one whose dates
# disagree and one that is not the camera's.
#   photo_library.sh PICPROBE SOURCE_DIR file_times|tagged_copies
set -eu
picprobe=$1
source_dir=$2
case_name=$3

fail() {
    printf '%s\n' "$*"
    exit 1
}

# The recipe is the Nth sh block of the README's section on photo libraries.
case $case_name in
file_times) block=1 ;;
tagged_copies) block=2 ;;
*) fail "no such case: $case_name" ;;
esac
recipe=$(awk -v want="$block" '
    /^## / { in_section = ($0 == "## The camera'"'"'s dates in a photo library") }
    in_section && /^```sh$/ { if (++seen == want) { in_block = 1; next } }
    in_block && /^```$/ { exit }
    in_block { print }' "$source_dir/README.md")
[ -n "$recipe" ] || fail "the README has no recipe for $case_name"
# The man page shows the file-time recipe too: it must be the README's, line for line.
if [ "$case_name" = file_times ] && command -v mandoc > /dev/null; then
    manual=$(mandoc -Tascii "$source_dir/picprobe.1" | col -b)
    printf '%s\n' "$recipe" | while IFS= read -r line; do
        printf '%s\n' "$manual" | grep -qF -- "$line" || fail "the man page lacks: $line"
    done
fi
if [ "$case_name" = tagged_copies ] && ! command -v exiftool > /dev/null; then
    echo "exiftool is not installed (libimage-exiftool-perl)"
    [ "${CI:-}" = true ] && exit 1
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/pictures"
ln -s "$picprobe" "$work/bin/picprobe"
cd "$work/pictures"
cp "$source_dir/examples/sample.jpg" BEACH.JPG
cp "$source_dir/examples/dates_disagree.jpg" GARDEN.JPG
cp "$source_dir/examples/sample.jpg" OTHER.JPG # another maker's: not the camera's
printf 'CANON' | dd of=OTHER.JPG bs=1 seek=166 conv=notrunc 2> /dev/null
cp BEACH.JPG GARDEN.JPG OTHER.JPG "$work" # the originals, to compare with
TZ=UTC0 touch -d "2020-01-01 12:00:00" ./*.JPG

# A time zone far from UTC shows that the camera's time is taken as local time.
said=$(PATH="$work/bin:$PATH" TZ=JST-9 sh -c "$recipe" 2>&1) || fail "the recipe failed: $said"
printf '%s\n' "$said"
printf '%s\n' "$said" | grep -qxF "dates disagree, left alone: GARDEN.JPG" ||
    fail "GARDEN.JPG, whose dates disagree, is not listed"
printf '%s\n' "$said" | grep -qxF "left alone: OTHER.JPG" ||
    fail "OTHER.JPG, not the camera's, is not reported"
printf '%s\n' "$said" | grep -qF 'ERROR: not a "SONY" file.' ||
    fail "picprobe's reason for leaving OTHER.JPG alone is not shown"

for f in BEACH.JPG GARDEN.JPG OTHER.JPG; do
    cmp -s "$f" "$work/$f" || fail "$f was changed"
done
"$picprobe" BEACH.JPG > /dev/null || fail "picprobe no longer reads BEACH.JPG"

mtime() { TZ=${2:-JST-9} date -r "$1" '+%Y:%m:%d %H:%M:%S'; }
case $case_name in
file_times)
    [ "$(mtime BEACH.JPG)" = "1999:08:14 16:05:31" ] ||
        fail "BEACH.JPG's time is $(mtime BEACH.JPG), not its Date1"
    [ "$(mtime BEACH.JPG UTC0)" = "1999:08:14 07:05:31" ] ||
        fail "BEACH.JPG's Date1 was not taken as local time"
    for f in GARDEN.JPG OTHER.JPG; do
        [ "$(mtime $f UTC0)" = "2020:01:01 12:00:00" ] || fail "$f's time was changed"
    done
    ;;
tagged_copies)
    tags=$(exiftool -s -s -s -DateTimeOriginal -ISO -ExposureTime -FNumber tagged/BEACH.JPG)
    expected=$(printf '%s\n' "1999:08:14 16:05:31" 100 1/250 8.0)
    [ "$tags" = "$expected" ] || fail "tagged/BEACH.JPG holds:
$tags
and not:
$expected"
    [ "$(ls tagged)" = BEACH.JPG ] || fail "tagged/ holds more than BEACH.JPG: $(ls tagged)"
    # As the README warns: Exif at the front moves the camera's bytes.
    if "$picprobe" tagged/BEACH.JPG > /dev/null 2>&1; then
        fail "the tagged copy still reads as the camera's: the README's warning is wrong"
    fi
    ;;
esac
echo "$case_name: the README's recipe does what it says"
