#!/usr/bin/env bash
# Builds the sample disc generator and the install tool, writes the small sample catalogue disc
# into build/sample/disc (or $VX_BUILD_DIR/sample/disc) and installs it into a fresh
# build/sample/vindaxel96.db, printing what was installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VX_BUILD_DIR:-$root/build}
"$root/tools/build.sh" vindaxel-sample-disc vindaxel-install
sample="$build/sample"
mkdir -p "$sample"
"$build/tools/sample-disc/vindaxel-sample-disc" --out "$sample/disc" --size small --seed 1
rm -f "$sample/vindaxel96.db" "$sample/vindaxel96.db-journal"
"$build/tools/install/vindaxel-install" "$sample/disc" "$sample/vindaxel96.db"
