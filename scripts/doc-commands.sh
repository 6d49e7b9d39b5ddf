#!/usr/bin/env bash
# Runs the shell blocks of the README and docs/ that are marked runnable, so
# that what the documentation tells a user to type keeps working:
#
#     <!-- runnable -->
#         build/bin/vfdkit sample-font font.fnt
#
# (the block is the indented or fenced code right after the marker). Each
# block runs with bash -e in a scratch folder of its own in which `build`
# leads to the build tree, with a time limit; background jobs it starts are
# stopped afterwards. A block marked `<!-- runnable with-display -->` talks
# to "the display on COM1": vfdsim plays it, with VFDKIT_COM1 set.
#
#     doc-commands.sh [BUILD_DIR]    (default: build)
set -uo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build=$(cd "${1:-build}" && pwd)
passed=0 failed=0

# Prints each runnable block of a Markdown file as "=== file:line" followed
# by its lines.
extract() {
    awk -v file="$1" '
        /<!-- runnable( with-display)? -->/ { want = 1; display = ($0 ~ /with-display/); next }
        want && /^```/ { if (!fenced) { fenced = 1; printf "=== %s:%d %d\n", file, NR, display; next } }
        want && fenced && /^```/ { fenced = 0; want = 0; next }
        want && fenced { print; next }
        want && /^    / { if (!indented) { indented = 1; printf "=== %s:%d %d\n", file, NR, display } sub(/^    /, ""); print; next }
        want && indented && /^$/ { next }
        want && indented { indented = 0; want = 0 }
        want && !/^$/ { want = 0 }
    ' "$1"
}

run_block() {
    local where=${1% *} display=${1##* } script=$2 scratch sim=
    scratch=$(mktemp -d)
    ln -s "$build" "$scratch/build"
    ln -s "$source_dir/docs" "$scratch/docs"
    printf '%s\n' "$script" >"$scratch/block.sh"
    if [[ $display == 1 ]]; then
        "$build/bin/vfdsim" --port 1 --port-file "$scratch/.com1" >/dev/null 2>&1 &
        sim=$!
        for _ in $(seq 100); do [[ -s $scratch/.com1 ]] && break; sleep 0.1; done
        export "$(cat "$scratch/.com1")"
    fi
    # A session of its own, so that what the block starts in the background
    # can be stopped with it.
    if (cd "$scratch" && timeout 120 setsid bash -c 'echo $$ >.pgid; exec bash -e block.sh' \
        >"$scratch/out.txt" 2>&1); then
        passed=$((passed + 1))
        echo "ok: $where"
    else
        failed=$((failed + 1))
        echo "FAILED: $where" >&2
        sed 's/^/    /' "$scratch/block.sh" >&2
        echo "  output:" >&2
        sed 's/^/    /' "$scratch/out.txt" >&2
    fi
    # Whatever the block left running in the background goes with it.
    [[ -s $scratch/.pgid ]] && kill -- "-$(cat "$scratch/.pgid")" 2>/dev/null
    if [[ -n $sim ]]; then
        kill "$sim" 2>/dev/null
        wait "$sim" 2>/dev/null
        unset VFDKIT_COM1
    fi
    rm -rf "$scratch"
}

for doc in README.md docs/*.md; do
    where= script=
    while IFS= read -r line; do
        if [[ $line == "=== "* ]]; then
            [[ -n $where ]] && run_block "$where" "$script"
            where=${line#=== } script=
        else
            script+=$line$'\n'
        fi
    done < <(extract "$doc")
    [[ -n $where ]] && run_block "$where" "$script"
done
echo "$passed passed, $failed failed"
((failed == 0 && passed > 0))
