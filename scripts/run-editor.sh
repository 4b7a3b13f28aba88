#!/usr/bin/env bash
# Builds Tarn, writes the sample game into sample-game/ and starts the editor
# in that folder, so "Load Level" opens the sample levels straight away.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j"$(nproc)" --target tarn tarn-cli
./build/release/tarn-cli sample-game sample-game
cd sample-game
exec ../build/release/tarn
