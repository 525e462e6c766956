#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, test, benchmark
# and run. Safe to run again: apt-get skips what is already there.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps.sh: run as root (it calls apt-get)" >&2
  exit 1
fi

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config git
  # desktop program and PNG output
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # tests and benchmark
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # the independent decoder our tests check symbols with
  zbar-tools
  # zbar's library: the scan check reads drawn symbols back in the program
  libzbar-dev
  # what the render tests draw the SVG, PDF and EPS files with before zbarimg
  # reads them: rsvg-convert, pdftoppm and pdftocairo, Ghostscript
  librsvg2-bin poppler-utils ghostscript
  # the dialog font, and the Japanese font most desktops have instead, which
  # the layout tests try the windows in
  fonts-ipafont-gothic fonts-noto-cjk
  # Qt's own texts in Japanese: the file dialogs, their messages, context menus
  qt6-translations-l10n
  # quirvane-encode's messages in Japanese: lupdate and lrelease, and the CMake
  # package (Qt6LinguistTools, in qt6-tools-dev) whose qt_add_translations
  # builds the .qm from cli/translations/
  qt6-l10n-tools qt6-tools-dev
  # libpng: the PNG files written row by row, at 1 bit a pixel for two colours
  libpng-dev
  # running and looking at the program without a screen
  xvfb xauth xdotool xclip imagemagick
  # memory checks, sanitizer runtime and the fuzzer
  valgrind clang libclang-rt-14-dev
  # the formatting check of CI
  clang-format
  # the Debian packages (scripts/package.sh): quirvane-encode(1) made from the
  # tool's --help, dpkg-shlibdeps and dpkg-buildflags, lintian's check of the
  # packages, and what CI checks the installed packages with: man -w,
  # desktop-file-validate and the bash completion's _parse_help
  help2man dpkg-dev lintian man-db desktop-file-utils bash-completion
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps.sh: all packages present"
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
