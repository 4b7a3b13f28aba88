#!/usr/bin/env bash
# run-fuzzers.sh BUILD_DIR RUNS: runs every fuzz target of a fuzz build for
# RUNS inputs, each from a fresh corpus folder seeded by the target's seeds.
set -euo pipefail
build=$1
runs=$2
found=0
for target in "$build"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    found=1
    name=$(basename "$target")
    corpus=$(mktemp -d)
    seeds="fuzz/seeds/${name#fuzz_}"
    [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
    echo "-- $name ($runs runs)"
    "$target" -runs="$runs" -max_len=70000 -seed=1 "$corpus" 2>&1 | tail -n 3
    rm -rf "$corpus"
done
[ $found -eq 1 ] || echo "no fuzz targets built"
