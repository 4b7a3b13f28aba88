#!/usr/bin/env bash
# Installs the Debian packages Tarn builds and tests with. Only missing
# packages are fetched, so a prepared machine skips the network entirely.
set -euo pipefail

packages=(cmake g++ make pkg-config libsdl2-dev zlib1g-dev libgtest-dev libgmock-dev
          libbenchmark-dev clang libclang-rt-14-dev libpng-dev xvfb xdotool x11-utils libx11-dev
          xfonts-base x11-xkb-utils libpugixml-dev nlohmann-json3-dev tiled desktop-file-utils man-db
          groff-base shared-mime-info appstream dpkg-dev binutils gdb dosbox)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep "install ok installed" >/dev/null || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
