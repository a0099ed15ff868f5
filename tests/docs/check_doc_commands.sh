#!/usr/bin/env bash
# Keeps the documents honest. In README.md and docs/*.md:
#   - a fenced block whose info string is "sh runnable" is run, each document's blocks in order in
#     one scratch copy of the source tree whose build/native is the build under test; a block
#     must end with status 0, or with N when its info string says "status=N", and a GoogleTest
#     filter or ctest -R in it must select at least one test;
#   - a fenced block whose info string says "file=PATH" must hold exactly the text of PATH;
#   - a Mermaid block whose info string says "includes" declares folders (id["folder"]) and solid
#     arrows (a --> b) that must be exactly the #include dependencies between those folders.
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

# The folder a quoted include of a file in folder $2 resolves to: beside the file first, then below
# src/, include/ and tools/, as the build's include paths find it.
include_folder() {
    local base
    for base in "$2" src include tools; do
        if [ -f "$source_dir/$base/$1" ]; then
            dirname "$base/$1"
            return
        fi
    done
}

# The diagram's solid arrows against the includes of the folders it declares.
check_includes() {
    local body=$1 drawn="$scratch/drawn" found="$scratch/found" id folder include target
    declare -A folder_of id_of
    while read -r id folder; do
        folder_of[$id]=$folder
        id_of[$folder]=$id
    done < <(sed -nE 's/^[[:space:]]*([A-Za-z0-9_]+)\["([^"]+)"\][[:space:]]*$/\1 \2/p' "$body")
    sed -nE 's/^[[:space:]]*([A-Za-z0-9_]+) --> ([A-Za-z0-9_]+)[[:space:]]*$/\1 \2/p' "$body" |
        sort -u >"$drawn"
    : >"$found"
    for id in "${!folder_of[@]}"; do
        folder=${folder_of[$id]}
        for include in $(cat "$source_dir/$folder"/*.{c,cpp,h} 2>/dev/null |
            sed -nE 's/^#include "([^"]+)".*/\1/p' | sort -u); do
            target=$(include_folder "$include" "$folder")
            if [ -n "$target" ] && [ "$target" != "$folder" ] && [ -n "${id_of[$target]:-}" ]; then
                echo "$id ${id_of[$target]}" >>"$found"
            fi
        done
    done
    sort -u -o "$found" "$found"
    if ! diff "$drawn" "$found" >"$scratch/diff"; then
        sed -e 's/^< \(.*\) \(.*\)/    drawn, but no include: \1 --> \2/' \
            -e 's/^> \(.*\) \(.*\)/    included, not drawn:   \1 --> \2/' -e '/^[0-9]/d' -e '/^---/d' \
            "$scratch/diff"
        return 1
    fi
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
        if [[ " $info " == *" includes "* ]]; then
            if check_includes "$body"; then
                echo "$name:$line: the diagram's arrows are the includes"
            else
                echo "$name:$line: the diagram's arrows differ from the includes (above)"
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
        # A test filter that has drifted from the tests' names selects nothing and still passes.
        if [ "$status" -eq "$expected" ] && grep -qE '^\[==========\] Running 0 tests|^No tests were found' <<<"$output"; then
            echo "$name:$line: a test filter of the block selects no test:"
            sed 's/^/    $ /' "$body"
            failures=$((failures + 1))
        elif [ "$status" -ne "$expected" ]; then
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
