#!/usr/bin/env bash
# The main job: the reference caller on a fresh sample machine. It writes a machine with the whole
# suite installed into a scratch folder, lists the catalogue, removes every product (answering yes
# to the questions), and lists again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh
cmake --preset native >/dev/null
cmake --build --preset native --target ovuninstall >/dev/null
machine=$(mktemp -d)
trap 'rm -rf "$machine"' EXIT
ovuninstall=build/native/bin/ovuninstall
"$ovuninstall" demo "$machine/sample"
echo
"$ovuninstall" --machine "$machine/sample" list
echo
# The Sentrel product's whole removal answers false even when all of it went, so removing
# everything ends with status 1 ("Not removed: Sentrel"); the list that follows shows what is left.
"$ovuninstall" --machine "$machine/sample" remove --all --yes || [ $? -eq 1 ]
echo
"$ovuninstall" --machine "$machine/sample" list || true
