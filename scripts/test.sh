#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the three presets (Linux against the simulated
# machine, the same with sanitizers, the Windows DLL cross-built with MinGW-w64) and runs all their
# tests, the Windows ones under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh

echo "== format"
git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
echo "== fleet examples"
yamllint -s docs/fleet

for preset in native asan mingw; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    if [ "$preset" = mingw ]; then
        # The Windows tests share one Wine prefix and its registry, and Wine under load answers
        # late: one at a time.
        ctest --preset "$preset" -j1
    else
        ctest --preset "$preset" -j"$(nproc)"
    fi
done
echo "== fuzz"
scripts/fuzz.sh --seconds 30
echo "== benchmarks"
scripts/bench.sh --guard
cmake -P tests/cmake/list_native_only.script
echo "All tests passed."
