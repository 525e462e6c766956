#!/usr/bin/env bash
# Installs the encoder's development files from a build tree into a fresh
# prefix, then builds and runs a small program against them, with CMake's
# find_package and with pkg-config.
set -euo pipefail
build=$1 project=$2 work=$3 cmake=$4 cxx=$5

rm -rf "$work"
"$cmake" --install "$build" --component Development --prefix "$work/prefix" >/dev/null

# The installed headers are the public API alone: none of the engine's record
# or its stages.
if grep -rnwE 'EncoderState|BuildDataCodewords|EncodeBlocks|InterleaveBlocks|PlaceCodewords|ApplyMask|MarkFunctionAreas' \
  "$work/prefix/include"; then
  echo "the installed headers show the engine" >&2
  exit 1
fi

"$cmake" -S "$project" -B "$work/cmake-build" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" \
  -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
"$cmake" --build "$work/cmake-build" >/dev/null
"$work/cmake-build/consumer"

export PKG_CONFIG_PATH
PKG_CONFIG_PATH=$(dirname "$(find "$work/prefix" -name quirvane.pc)")
# shellcheck disable=SC2046
"$cxx" -o "$work/consumer-pc" "$project/main.cpp" $(pkg-config --cflags --libs quirvane)
"$work/consumer-pc"
