#!/usr/bin/env bash
# Configures and builds the project into build/ (or the directory given as
# the first argument; further arguments go to CMake).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build "$build_dir" -j "$(nproc)"
