#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the programs need.
# Idempotent: does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build clang-format ccache
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-multimedia-dev
  qt6-image-formats-plugins qt6-qpa-plugins libgl-dev
  libgif-dev zlib1g-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth fonts-liberation poppler-utils
  gpsd
  libgdal-dev gdal-bin libproj-dev nlohmann-json3-dev libexpat1-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
