#!/usr/bin/env bash
# The benchmarks of the library and the simulated machine, with their table: each figure is a
# ratio against a floor measured in the same run (the host's own tools on identical data, the
# loader, a smaller machine) or against a time budget.
#
#   scripts/bench.sh           the full run: every benchmark repeated five times, the table with
#                              each figure's goal; fails when a figure misses its goal
#   scripts/bench.sh --guard   the short run of the test command: three repetitions; fails only
#                              when a ratio against a floor is more than twice its goal, or a
#                              benchmark fails
#
# Further arguments go to the benchmark program (e.g. --benchmark_filter=FindProcess). The
# benchmarks build in an optimised configuration of their own (build/bench-release): the native
# preset's unoptimised objects would measure the compiler's debug code, not the library's or the
# machine's cost (see docs/performance.md).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build "$build" --target uninstlib_bench >/dev/null

# Scratch trees and machines go to memory when the host has it, so that the ratios compare the
# code with the host's tools rather than with the disk's mood.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi

echo "== benchmarks: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), scratch in ${TMPDIR:-/tmp}" >&2
exec "$build/bin/uninstlib_bench" "$@"
