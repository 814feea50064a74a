#!/usr/bin/env bash
# Builds the program, writes the built-in sample catalogue disc into build/sample/disc (or
# $VX_BUILD_DIR/sample/disc), installs its database and image data into the sample profile
# build/sample/profile and starts the program on it. Without a display the program runs under
# xvfb-run for a few seconds and leaves a screenshot of its main window in
# build/sample/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VX_BUILD_DIR:-$root/build}
"$root/tools/build.sh" vindaxel vindaxel-sample-disc vindaxel-install

sample="$build/sample"
profile="$sample/profile"
event=96
mkdir -p "$sample"
if [ ! -f "$sample/disc/V${event}DEF.TXT" ]; then
  rm -rf "$sample/disc"
  "$build/tools/sample-disc/vindaxel-sample-disc" --out "$sample/disc" --size small --seed 1
fi

# A fresh profile: the catalogue database and the image data beside a settings file that keeps
# the user's data in the same folder.
rm -rf "$profile"
mkdir -p "$profile/VQ$event"
printf '[Settings]\r\nUserData=exepath\r\n' > "$profile/settings.ini"
"$build/tools/install/vindaxel-install" "$sample/disc" "$profile/vindaxel96.db"
cp -r "$sample/disc/PDATA" "$sample/disc/MDATA" "$profile/VQ$event/"
cp "$sample/disc/"*.CCZ "$profile/VQ$event/"

export VINDAXEL_PROGRAM_DIR="$profile"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/program/vindaxel"
fi
echo "No display: running the program under xvfb-run and saving its main window to"
echo "  $sample/screenshot.png"
rm -f "$sample/screenshot.png"
VINDAXEL_SCREENSHOT="$sample/screenshot.png" timeout 60 \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/program/vindaxel"
if [ -f "$sample/screenshot.png" ]; then
  echo "Done: open $sample/screenshot.png to see the first cut page."
else
  echo "The program ended without a screenshot." >&2
  exit 1
fi
