#!/usr/bin/env bash
# Installs what the project needs, builds it and runs every test. Arguments go
# to CMake (CI adds -DQUIRVANE_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build "$@"
# The window tests need no display: Qt draws them offscreen.
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$(nproc)"
