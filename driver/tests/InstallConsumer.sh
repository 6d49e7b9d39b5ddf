#!/usr/bin/env bash
# Installs the library's component into a temporary prefix and builds and
# runs Consumer.c against it with nothing but pkg-config's flags.
# Usage: InstallConsumer.sh BUILD_DIR CONSUMER_C (CMAKE, CC, PKG_CONFIG from
# the environment).
set -euo pipefail
build=$1
source=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"${CMAKE:-cmake}" --install "$build" --prefix "$prefix" --component VF620 >/dev/null
pcdir=$(dirname "$(find "$prefix" -name vf620.pc -print -quit)")
[[ -f $pcdir/vf620.pc ]] || { echo "vf620.pc was not installed" >&2; exit 1; }
[[ -f $prefix/include/VF620.h ]] || { echo "VF620.h was not installed" >&2; exit 1; }

export PKG_CONFIG_PATH=$pcdir
flags=$("${PKG_CONFIG:-pkg-config}" --cflags --libs vf620)
libdir=$("${PKG_CONFIG:-pkg-config}" --variable=libdir vf620)
"${CC:-cc}" -std=c99 -Wall -Wextra -Werror -o "$prefix/consumer" "$source" $flags
LD_LIBRARY_PATH=$libdir "$prefix/consumer"
