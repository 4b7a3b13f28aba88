#!/usr/bin/env bash
# Installs the MinGW-w64 cross compiler, zlib for it and Wine, and fetches
# Debian's SDL2 and pugixml source packages into the folder given as $1
# (Debian packages neither for Windows, but their sources cross-build as they are). Only what is missing
# is fetched. Exits 1 when apt-get cannot install them, so the caller can tell
# "not possible here" from a build failure.
set -euo pipefail
source_dir=$1

packages=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 dpkg-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep "install ok installed" >/dev/null || missing+=("$p")
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# The source entries mirror the binary ones, so that the sources match the
# installed release: from the deb822 file of Debian 12's images, or from the
# one-line sources.list of older installations.
add_source_entries() {
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            $sudo tee /etc/apt/sources.list.d/tarn-deb-src.sources >/dev/null
    elif [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $sudo tee /etc/apt/sources.list.d/tarn-deb-src.list >/dev/null
    else
        return 1
    fi
}
need_update=0
if ! ls /etc/apt/sources.list.d/tarn-deb-src.* >/dev/null 2>&1 &&
    { [ ! -d "$source_dir/SDL2" ] || [ ! -d "$source_dir/pugixml" ]; }; then
    add_source_entries || exit 1
    need_update=1
fi
[ ${#missing[@]} -gt 0 ] && need_update=1
if [ $need_update -eq 1 ]; then
    $sudo apt-get update -qq || exit 1
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" || exit 1
fi
fetch_source() {   # fetch_source PACKAGE FOLDER
    [ -d "$source_dir/$2" ] && return 0
    mkdir -p "$source_dir"
    (cd "$source_dir" && apt-get source -qq "$1" >/dev/null 2>&1 && mv "$1"-*/ "$2")
}
fetch_source libsdl2 SDL2 || exit 1
fetch_source pugixml pugixml || exit 1
