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

# The same program through the CMake package.
mkdir -p "$prefix/cmake-consumer"
cat >"$prefix/cmake-consumer/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(consumer C)
find_package(VF620 REQUIRED)
add_executable(consumer "$source")
target_link_libraries(consumer PRIVATE VF620::VF620)
CMAKE
"${CMAKE:-cmake}" -S "$prefix/cmake-consumer" -B "$prefix/cmake-consumer/build" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_C_COMPILER="${CC:-cc}" >/dev/null
"${CMAKE:-cmake}" --build "$prefix/cmake-consumer/build" >/dev/null
"$prefix/cmake-consumer/build/consumer"
