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
# Removing the whole suite ends with 3 (Windows: 3010): removed, and a restart finishes it, since
# the uninstaller's own files go at the next start. The list that follows ends with 5 (Windows:
# 1605): nothing of the suite is installed. ovuninstall --help lists every exit code.
"$ovuninstall" --machine "$machine/sample" remove --all --yes || [ $? -eq 3 ]
echo
"$ovuninstall" --machine "$machine/sample" list || [ $? -eq 5 ]
