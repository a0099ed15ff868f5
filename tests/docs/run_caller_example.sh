#!/usr/bin/env bash
# The caller guide's C example on fresh sample machines of the simulated machine. The example
# checks the library's answers itself; here the images it wrote back must have lost exactly the
# Rendimo Manager it removed: on an unpartitioned machine, and on a machine of two partitions
# where the scan leaves partition 2 selected and the example must select partition 1 itself (or
# partition 2's setup flag is the one cleared).
set -euo pipefail
example=$1
ovuninstall=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
suite='HKEY_LOCAL_MACHINE\SOFTWARE\Tarvelle\Orvanta'

fail() {
    echo "$1"
    exit 1
}

"$ovuninstall" demo "$scratch/single" >/dev/null
"$example" "Rendimo Manager" "$scratch/single" || fail "the example failed on the unpartitioned machine"
[ ! -e "$scratch/single/drive_c/Lotus/Domino/novstatg.exe" ] ||
    fail "the Rendimo Manager's server task is still on the unpartitioned machine"
! grep -qF "[$suite\\Rendimo Manager]" "$scratch/single/registry.reg" ||
    fail "the Rendimo Manager's key is still on the unpartitioned machine"
"$ovuninstall" --machine "$scratch/single" list | grep -q '^Examora ' ||
    fail "the other products should stay"

"$ovuninstall" demo --partitions 2 "$scratch/two" >/dev/null
"$example" "Rendimo Manager" "$scratch/two" || fail "the example failed on the machine of two partitions"
! grep -qF "[$suite\\Partition 1\\Rendimo Manager]" "$scratch/two/registry.reg" ||
    fail "partition 1's Rendimo Manager key is still there"
listed=$("$ovuninstall" --machine "$scratch/two" list)
grep -qE '^Rendimo Manager +5\.2 +2 ' <<<"$listed" ||
    fail "partition 2's Rendimo Manager went with partition 1's (its setup flag or its key)"
! grep -qE '^Rendimo Manager +5\.2 +1 ' <<<"$listed" || fail "partition 1's Rendimo Manager is listed"
echo "the example removed the Rendimo Manager it named, in the partition it selected"
