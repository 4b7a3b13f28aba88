#!/usr/bin/env bash
# Builds Tarn twice (plain, and with AddressSanitizer + UndefinedBehaviorSanitizer),
# runs every test in both, prints the benchmark figures of the plain build, then
# runs each fuzz target for a short fixed number of iterations when clang is
# available, and finally the Windows leg (scripts/test-windows.sh).
# With --quick: the plain build and its tests alone, for a developer's loop.
set -euo pipefail
cd "$(dirname "$0")/.."

quick=0
case "${1:-}" in
    "") ;;
    --quick) quick=1 ;;
    *) echo "usage: $0 [--quick]" >&2; exit 2 ;;
esac

bash scripts/install-deps.sh
jobs=$(nproc)

echo "== Build and test: release"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs"
[ "$quick" -eq 0 ] || exit 0
echo "== Installing, packaging and starting from the desktop"
bash tests/install/check_install.sh build/release

# Measured while the machine is otherwise quiet, before the other builds.
echo "== Benchmarks (figures for the record; they pass or fail nothing)"
for bench in build/release/bench/*_bench; do
    [ -x "$bench" ] || continue
    "$bench" --benchmark_min_time=0.5 --benchmark_color=false 2>&1 | tail -n 3
done
bash bench/idle_cpu.sh build/release/tarn build/release/tarn-cli 5

echo "== Build and test: address and undefined-behaviour sanitizers"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTARN_SANITIZE=ON -DTARN_BENCH=OFF >/dev/null
cmake --build build/sanitize -j"$jobs"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    LSAN_OPTIONS=suppressions="$PWD/scripts/lsan-suppressions.txt" \
    ctest --test-dir build/sanitize --output-on-failure -j"$jobs"

echo "== Fuzz targets"
if command -v clang++ >/dev/null 2>&1; then
    cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
        -DCMAKE_CXX_COMPILER=clang++ -DTARN_FUZZ=ON -DTARN_TESTS=OFF -DTARN_BENCH=OFF >/dev/null
    cmake --build build/fuzz -j"$jobs"
    bash scripts/run-fuzzers.sh build/fuzz 20000
else
    echo "clang++ is not installed: fuzz targets skipped"
fi

# Last, so that a Linux failure is seen first: the same program cross-built
# for Windows and tested under Wine (skipped with one line where apt-get
# cannot install MinGW-w64 and Wine).
bash scripts/test-windows.sh build/release/tarn-cli
