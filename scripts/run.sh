#!/usr/bin/env bash
# Installs what the project needs, builds it and starts the desktop program
# in the current directory (where it looks for QRcode.ini).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" build
exec "$root/build/app/quirvane" "$@"
