#!/usr/bin/env bash
# Keeps the documents honest. In README.md and docs/*.md:
#   - a fenced block whose info string is "sh runnable" is run, each document's blocks in order in
#     one scratch copy of the source tree whose build/native is the build under test; a block
#     must end with status 0, or with N when its info string says "status=N";
#   - a fenced block whose info string says "file=PATH" must hold exactly the text of PATH.
# Usage: check_doc_commands.sh SOURCE_DIR NATIVE_BUILD_DIR [DOCUMENT...]
set -uo pipefail
source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
shift 2
if [ $# -gt 0 ]; then
    documents=("$@")
else
    documents=("$source_dir/README.md" "$source_dir"/docs/*.md)
fi
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT
failures=0

# Splits a document into its fenced blocks: NNN.info (the info string, with the line the block
# starts on) and NNN.body.
split_blocks() {
    awk -v out="$2" '
        !inside && /^```/ {
            inside = 1; n++; info = substr($0, 4)
            name = sprintf("%s/%03d", out, n)
            printf "%s\n%d\n", info, NR > name ".info"
            printf "" > name ".body"
            next
        }
        inside && /^```[ \t]*$/ { inside = 0; close(name ".body"); next }
        inside { print >> (name ".body") }
    ' "$1"
}

# A copy of the source tree to run a document's commands in; the build under test stands at
# build/native.
fresh_tree() {
    local tree=$1
    mkdir -p "$tree/build"
    for entry in "$source_dir"/* "$source_dir"/.clang-format; do
        case $(basename "$entry") in
            build) ;;
            *) cp -r "$entry" "$tree/" ;;
        esac
    done
    ln -s "$build_dir" "$tree/build/native"
}

for document in "${documents[@]}"; do
    name=${document#"$source_dir"/}
    blocks="$scratch/blocks/$name"
    tree="$scratch/trees/$name"
    mkdir -p "$blocks"
    split_blocks "$document" "$blocks"
    tree_made=0
    for info_file in "$blocks"/*.info; do
        [ -e "$info_file" ] || continue
        info=$(sed -n 1p "$info_file")
        line=$(sed -n 2p "$info_file")
        body=${info_file%.info}.body
        if [[ " $info " =~ \ file=([^ ]+)\  ]]; then
            if ! diff -u "$source_dir/${BASH_REMATCH[1]}" "$body" >"$scratch/diff"; then
                echo "$name:$line: the block differs from ${BASH_REMATCH[1]}:"
                cat "$scratch/diff"
                failures=$((failures + 1))
            fi
        fi
        [[ " $info " == *" runnable "* ]] || continue
        expected=0
        [[ " $info " =~ \ status=([0-9]+)\  ]] && expected=${BASH_REMATCH[1]}
        if [ $tree_made -eq 0 ]; then
            fresh_tree "$tree"
            tree_made=1
        fi
        output=$(cd "$tree" && bash -e "$body" 2>&1 </dev/null)
        status=$?
        if [ "$status" -ne "$expected" ]; then
            echo "$name:$line: the block ended with status $status, not $expected:"
            sed 's/^/    $ /' "$body"
            echo "$output" | tail -n 20 | sed 's/^/    | /'
            failures=$((failures + 1))
        else
            echo "$name:$line: ran ($status)"
        fi
    done
done
if [ $failures -ne 0 ]; then
    echo "$failures block(s) of the documents do not hold"
    exit 1
fi
