#!/usr/bin/env bash
# Drives the game headless through every scene's characteristic states in every language
# (the gallery test over the game driver) and saves a PNG of each into one folder (default
# gallery/), named <language>_<number>_<name>.png, plus one contact sheet per language
# (sheet_<language>.png, ImageMagick's montage). Uses the dev build (build/dev). Not part of CI.
#   scripts/gallery.sh [folder]              the screens and sheets into the folder
#   scripts/gallery.sh --update-reference    the same into a scratch folder, then the sheets,
#                                            scaled down to 256 colours, as the committed
#                                            reference of the game's look: docs/look/<language>.png
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
reference=""
if [ "${1:-}" = "--update-reference" ]; then
  reference="$root/docs/look"
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
else
  out=$(realpath -m "${1:-gallery}")
fi
build="$root/build/dev"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
    -DOSTREL_SANITIZE=ON >/dev/null
fi
cmake --build "$build" --target game_playthrough_Gallery_tests -j 3 >/dev/null
rm -rf "$out"
mkdir -p "$out"
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:allocator_may_return_null=1:abort_on_error=0
(cd "$build/tests/game" && OSTREL_GALLERY="$out" ./game_playthrough_Gallery_tests >/dev/null)
# The labels' font: any sans face the machine has (ImageMagick's default may be missing).
font=$(fc-match -f '%{file}' sans 2>/dev/null || true)
names=(english german french spanish italian)
for language in 0 1 2 3 4; do
  logo=(); [ "$language" = 0 ] || logo=("$out/0_00_logo.png")
  montage ${font:+-font "$font"} -label '%t' -pointsize 9 "${logo[@]}" "$out/${language}"_[0-9][0-9]_*.png \
    -tile 8x -geometry 120x160+3+3 -background '#202020' -fill white "$out/sheet_${language}.png"
  if [ -n "$reference" ]; then
    mkdir -p "$reference"
    convert "$out/sheet_${language}.png" -resize 75% -dither None -colors 256 -strip PNG8:"$reference/${names[$language]}.png"
  fi
done
echo "saved $(ls "$out"/*_*_*.png | wc -l) screens and 5 sheets in $out"
[ -z "$reference" ] || echo "reference sheets: $(du -ch "$reference"/*.png | tail -1 | cut -f1) in $reference"
