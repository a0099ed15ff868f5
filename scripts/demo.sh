#!/usr/bin/env bash
# The main job: builds the native preset and runs the reference caller on a copy of the sample
# machine, showing the partition and the parameter store's view of it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh
cmake --preset native >/dev/null
cmake --build --preset native --target ovuninstall >/dev/null
machine=$(mktemp -d)
trap 'rm -rf "$machine"' EXIT
cp -r tests/machines/sample/. "$machine"
build/native/bin/ovuninstall --machine "$machine" show
