#!/usr/bin/env bash
# The Windows leg of the test command: cross-builds Tarn for Windows
# (scripts/build-windows.sh), runs the unit tests under Wine, checks that
# tarn-cli.exe gives byte for byte what the Linux tarn-cli gives, and drives
# tarn.exe under Wine in a virtual X server. Needs the Linux build's tarn-cli
# (build/release unless given). Skips with one line when apt-get cannot
# install MinGW-w64 and Wine here.
set -euo pipefail
cd "$(dirname "$0")/.."

linux_cli=${1:-build/release/tarn-cli}
started=$SECONDS
jobs=$(nproc)

echo "== Windows: cross-build with MinGW-w64"
status=0
bash scripts/build-windows.sh || status=$?
if [ "$status" -eq 77 ]; then
    echo "== Windows leg skipped: apt-get could not install MinGW-w64 and Wine on this machine"
    exit 0
fi
[ "$status" -eq 0 ] || exit "$status"
build=build/windows/tarn
export WINEPREFIX=$PWD/build/windows/wine WINEDEBUG=-all
# Wine makes its Windows once; later starts take a fraction of a second.
timeout 300 /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || { echo "FAIL: Wine could not set itself up"; exit 1; }
echo "   built in $((SECONDS - started)) s"

echo "== Windows: unit and end-to-end tests under Wine"
ctest --test-dir "$build" --output-on-failure -j"$jobs"
echo "== Windows: tarn-cli.exe against the Linux tarn-cli"
bash tests/windows/cli_parity.sh "$linux_cli" "$build/tarn-cli.exe"
echo "== Windows: tarn.exe under Wine in a real X window"
bash tests/windows/wine_smoke_test.sh "$build/tarn.exe" "$linux_cli"
echo "== Windows leg passed in $((SECONDS - started)) s; the program: $build/tarn-windows.zip"
