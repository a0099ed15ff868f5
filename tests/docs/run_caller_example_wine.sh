#!/usr/bin/env bash
# The caller guide's C example, cross-built, under Wine against the real uninstlib.dll, on a sample
# machine written by the native build and imported into a fresh prefix; the example removes the
# Rendimo Manager and checks the library's answers itself; afterwards Wine's registry and C: must
# have lost the product's key and task.
set -euo pipefail
. "$(dirname "$0")/../wine/sample_machine_prefix.sh"
sample_machine_prefix caller-example "$@"

mkdir -p "$prefix/drive_c/caller"
cp "$bin/caller_example.exe" "$bin/uninstlib.dll" "$bin/ovrt.dll" "$prefix/drive_c/caller/"
(cd "$prefix/drive_c/caller" && wine caller_example.exe "Rendimo Manager" </dev/null) | tr -d '\r' ||
    fail "the example failed under Wine"

[ ! -e "$prefix/drive_c/Lotus/Domino/novstatg.exe" ] ||
    fail "the Rendimo Manager's server task is still on C:"
wine reg query 'HKLM\SOFTWARE\Tarvelle\Orvanta\Rendimo Manager' >/dev/null 2>&1 &&
    fail "the Rendimo Manager's key is still in Wine's registry"
wine reg query 'HKLM\SOFTWARE\Tarvelle\Orvanta\Examora' >/dev/null 2>&1 ||
    fail "the Examora key should stay"
echo "the example removed the Rendimo Manager under Wine"
