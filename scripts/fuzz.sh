#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset) and runs each one for a while, starting from its
# seed corpus in fuzz/corpus/<target>. The runs work on a scratch copy of the corpus, so the
# checked-in seeds stay as they are; a target that crashes, hangs, leaks or breaks one of its
# checks fails the script, and its input is kept in build/fuzz/artifacts/<target>/.
#
#   scripts/fuzz.sh [--seconds N] [--target NAME]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=60
only=""
while [ $# -gt 0 ]; do
    case "$1" in
        --seconds) seconds="$2"; shift 2 ;;
        --target) only="$2"; shift 2 ;;
        *) echo "usage: $0 [--seconds N] [--target NAME]" >&2; exit 2 ;;
    esac
done

# The largest input worth trying: beyond it an input only makes a run slower, not different.
max_len() {
    case "$1" in
        reg_file_fuzz) echo 16384 ;;
        performance_data_fuzz | notes_ini_fuzz | registry_values_fuzz | machine_image_fuzz)
            echo 8192 ;;
        *) echo 4096 ;;
    esac
}

targets=()
for source in fuzz/*_fuzz.cpp; do
    name=$(basename "$source" .cpp)
    if [ -z "$only" ] || [ "$only" = "$name" ]; then
        targets+=("$name")
    fi
done
if [ ${#targets[@]} -eq 0 ]; then
    echo "no fuzz target named $only" >&2
    exit 2
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# The simulated machine makes a fresh drive C: below the temporary folder on every reset; in
# memory that costs a fraction of what it costs on disk.
scratch_parent=/tmp
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    scratch_parent=/dev/shm
fi
scratch=$(mktemp -d "$scratch_parent/uninstlib-fuzz-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

failed=()
for target in "${targets[@]}"; do
    corpus="$scratch/corpus/$target"
    artifacts="build/fuzz/artifacts/$target"
    mkdir -p "$corpus" "$scratch/tmp" "$artifacts"
    if [ -d "fuzz/corpus/$target" ]; then
        cp -R "fuzz/corpus/$target/." "$corpus/"
    fi
    log="$scratch/$target.log"
    echo "== $target (${seconds}s)"
    if TMPDIR="$scratch/tmp" "build/fuzz/bin/$target" "$corpus" -max_total_time="$seconds" \
        -max_len="$(max_len "$target")" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" >"$log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE' "$log" || tail -n 3 "$log"
    else
        tail -n 60 "$log"
        echo "FAILED: $target (input kept in $artifacts/)"
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzz targets that failed: ${failed[*]}"
    exit 1
fi
echo "Every fuzz target ran ${seconds}s without a finding."
