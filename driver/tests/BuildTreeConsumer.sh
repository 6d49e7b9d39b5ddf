#!/usr/bin/env bash
# Builds and runs Consumer.c against the build tree's library with the flags
# pkg-config gives for PKG_CONFIG_PATH=BUILD_DIR/lib/pkgconfig, as the README
# says, and nothing else: no install, no LD_LIBRARY_PATH.
# Usage: BuildTreeConsumer.sh BUILD_DIR CONSUMER_C (CC, PKG_CONFIG from the
# environment).
set -euo pipefail
build=$1
source=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

export PKG_CONFIG_PATH=$build/lib/pkgconfig
unset LD_LIBRARY_PATH PKG_CONFIG_DISABLE_UNINSTALLED
flags=$("${PKG_CONFIG:-pkg-config}" --cflags --libs vf620)
for dir in $("${PKG_CONFIG:-pkg-config}" --variable=libdir vf620) \
    $("${PKG_CONFIG:-pkg-config}" --variable=includedir vf620); do
    [[ -d $dir ]] || { echo "vf620's pkg-config file names $dir, which does not exist" >&2; exit 1; }
done
"${CC:-cc}" -std=c99 -Wall -Wextra -Werror -o "$out/consumer" "$source" $flags
"$out/consumer"
