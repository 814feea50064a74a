#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with. Safe to run repeatedly; silent
# when everything is already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git ccache
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-webengine-dev libqt6opengl6-dev libgl-dev
  libxcb1-dev
  libsqlite3-dev sqlite3 libpng-dev zlib1g-dev libminizip-dev libboost-regex-dev picojson-dev
  libcurl4-openssl-dev libssl-dev openssl libsodium-dev libjpeg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-ipafont-mincho qt6-translations-l10n xvfb xauth
  qt6-pdf-dev libcups2-dev cups-daemon cups-client
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
