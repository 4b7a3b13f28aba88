#!/usr/bin/env bash
# Cross-builds Tarn for 64-bit Windows with MinGW-w64: tarn.exe, tarn-cli.exe
# and the unit test programs, all statically linked, in build/windows/tarn.
# SDL2, pugixml and GoogleTest are built for Windows once from Debian's own
# sources and kept in build/windows/deps. Exits 77 when the tools cannot be
# installed here (no apt, no network), so the test command can skip the leg.
set -euo pipefail
cd "$(dirname "$0")/.."

root=$PWD/build/windows
deps=$root/deps
toolchain=$PWD/cmake/MinGWToolchain.cmake
jobs=$(nproc)
# ccache, where it is installed, keeps the second build short.
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Wine (which writes the zip's sample game and runs the tests) keeps its
# own Windows in the build folder, and says nothing about what it lacks.
export WINEPREFIX=$root/wine WINEDEBUG=-all

if ! bash scripts/windows-deps.sh "$root/sources"; then
    echo "The Windows build tools could not be installed with apt-get"
    exit 77
fi

# build_dependency NAME SOURCE LICENCE CMAKE-OPTIONS...: configures, builds
# and installs one library into $deps, with its licence for the zip, unless
# an earlier run did.
build_dependency() {
    local name=$1 source=$2 licence=$3
    shift 3
    [ -f "$root/$name.done" ] && return 0
    echo "== Building $name for Windows (once)"
    cmake -S "$source" -B "$root/$name-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" "${launcher[@]}" "$@" >/dev/null
    cmake --build "$root/$name-build" -j"$jobs" >/dev/null
    cmake --install "$root/$name-build" >/dev/null
    if [ -n "$licence" ]; then
        mkdir -p "$deps/licences"
        cp "$source/$licence" "$deps/licences/$name-$(basename "$licence")"
    fi
    touch "$root/$name.done"
}

build_dependency sdl2 "$root/sources/SDL2" LICENSE.txt -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
build_dependency pugixml "$root/sources/pugixml" LICENSE.md -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF
# GoogleTest only goes into the test programs, never into the zip.
build_dependency googletest /usr/src/googletest "" -Dgtest_disable_pthreads=OFF
# nlohmann-json is headers alone: Debian's copy serves, placed where the
# cross build looks for packages.
if [ ! -f "$deps/share/cmake/nlohmann_json/nlohmann_jsonConfig.cmake" ]; then
    mkdir -p "$deps/include" "$deps/share/cmake" "$deps/licences"
    cp -r /usr/include/nlohmann "$deps/include/"
    cp -r /usr/share/cmake/nlohmann_json "$deps/share/cmake/"
    cp /usr/share/doc/nlohmann-json3-dev/copyright "$deps/licences/nlohmann-json-copyright"
fi
# zlib comes from Debian's MinGW package, linked in statically.
cp /usr/share/doc/libz-mingw-w64/copyright "$deps/licences/zlib-copyright"

echo "== Building Tarn for Windows"
cmake -S . -B "$root/tarn" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DTARN_WINDOWS_DEPS="$deps" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARN_BENCH=OFF "${launcher[@]}" \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a >/dev/null
cmake --build "$root/tarn" -j"$jobs"
cmake --build "$root/tarn" --target windows-zip
echo "Built $root/tarn/tarn-windows.zip"
