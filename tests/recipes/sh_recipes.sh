#!/bin/sh
# The README's sh recipes for a whole folder, run as they are written there, on a
# folder holding one picture whose dates agree and one whose dates disagree.
#   sh_recipes.sh PICPROBE SOURCE_DIR
set -eu
picprobe=$1
source_dir=$2

every_file='for f in *.JPG; do picprobe "$f"; done'
dates_disagree='for f in *.JPG; do picprobe "$f" | grep -q "don'"'"'t match" && echo "$f"; done'
for recipe in "$every_file" "$dates_disagree"; do
    grep -qxF -- "$recipe" "$source_dir/README.md" || {
        echo "the README no longer holds: $recipe"
        exit 1
    }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
ln -s "$picprobe" "$work/bin/picprobe"
cp "$source_dir/examples/sample.jpg" "$work/BEACH.JPG"
cp "$source_dir/examples/dates_disagree.jpg" "$work/GARDEN.JPG"
cd "$work"
PATH="$work/bin:$PATH"

reports=$(sh -c "$every_file")
keywords=$(printf '%s\n' "$reports" | grep -c "Keyword:")
[ "$keywords" = 2 ] || {
    echo "expected both reports, got:"
    printf '%s\n' "$reports"
    exit 1
}

listed=$(sh -c "$dates_disagree" || true) # the loop ends with grep's status
[ "$listed" = GARDEN.JPG ] || {
    echo "expected only GARDEN.JPG, got: $listed"
    exit 1
}
echo "both sh recipes do what the README says"
