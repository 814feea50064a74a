#!/usr/bin/env bash
# Renders the program's pictures (res/pictures/*/*.svg, the drawings) into the PNG files that the
# program compiles in, at 1x and 2x, and writes res/pictures/pictures.qrc. Run it after changing a
# drawing; the build itself needs only the PNG files. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pictures=$root/res/pictures
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing (apt-get install librsvg2-bin)" >&2; exit 1; }

render() {  # svg, png, width, height
  rsvg-convert --width "$3" --height "$4" --format png --output "$2" "$1"
}

for svg in "$pictures"/tool/*.svg "$pictures"/cell/*.svg "$pictures"/cursor/*.svg \
           "$pictures"/layout/*.svg; do
  base=${svg%.svg}
  case $svg in
    */tool/*) w=16 h=15 ;;
    */cell/*) w=16 h=16 ;;
    */cursor/*) w=32 h=32 ;;
    */layout/*) w=96 h=72 ;;
  esac
  render "$svg" "$base.png" $w $h
  render "$svg" "$base@2x.png" $((w * 2)) $((h * 2))
done
for svg in "$pictures"/icon/*.svg; do
  for size in 16 32 48 64; do render "$svg" "${svg%.svg}-$size.png" $size $size; done
done

{
  echo '<!DOCTYPE RCC><RCC version="1.0">'
  echo '<qresource prefix="/pictures">'
  (cd "$pictures" && find . -name '*.png' | sed 's|^\./||' | LC_ALL=C sort) |
    while read -r png; do echo "  <file>$png</file>"; done
  echo '</qresource>'
  echo '</RCC>'
} > "$pictures/pictures.qrc"
echo "rendered $(grep -c '<file>' "$pictures/pictures.qrc") pictures"
