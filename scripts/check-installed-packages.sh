#!/usr/bin/env bash
# Installs the packages of build/ with apt-get, as a user would, checks that
# the installed programs, manual pages, desktop entry, bash completion and
# development files work from where they landed, and removes the packages
# again, whatever the outcome, so that the machine stays as it was. As root.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)

work=$(mktemp -d)
remove_packages() {
  apt-get remove -y quirvane libquirvane-dev >/dev/null
  rm -rf "$work"
}
trap remove_packages EXIT
apt-get install -y ./build/quirvane_*.deb ./build/libquirvane-dev_*.deb

# A symbol as text, from the installed tool: 21 lines of 21 modules.
/usr/bin/quirvane-encode -t txt hello >"$work/hello.txt"
[ "$(grep -cxE '[01]{21}' "$work/hello.txt")" -eq 21 ]
[ "$(wc -l <"$work/hello.txt")" -eq 21 ]

[ "$(man -w quirvane-encode)" = /usr/share/man/man1/quirvane-encode.1.gz ]
[ "$(man -w quirvane)" = /usr/share/man/man1/quirvane.1.gz ]
[ "$(man -L ja -w quirvane)" = /usr/share/man/ja/man1/quirvane.1.gz ]
desktop-file-validate /usr/share/applications/quirvane.desktop

# Tab after "--le" (the options read from the installed tool's --help) and
# after "--mode k", as bash-completion calls the completion.
bash -c '
  source /usr/share/bash-completion/bash_completion
  _completion_loader quirvane-encode
  set -e
  complete_words() {
    COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMP_LINE="$*" COMP_POINT=${#COMP_LINE} COMPREPLY=()
    _quirvane_encode quirvane-encode "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" || true
    echo "${COMPREPLY[*]}"
  }
  [ "$(complete_words quirvane-encode --le)" = --level ]
  [ "$(complete_words quirvane-encode --mode k)" = kanji ]'

# Another project builds against the installed encoder, with its CMake package
# and with pkg-config, and finds the files the package installed.
cmake -S tests/consumer/project -B "$work/cmake-build" -G Ninja >/dev/null
grep -qx "Quirvane_DIR:PATH=/usr/lib/$multiarch/cmake/Quirvane" "$work/cmake-build/CMakeCache.txt"
cmake --build "$work/cmake-build" >/dev/null
"$work/cmake-build/consumer"
[ "$(pkg-config --variable=pcfiledir quirvane)" = "/usr/lib/$multiarch/pkgconfig" ]
# shellcheck disable=SC2046
c++ -o "$work/consumer-pc" tests/consumer/project/main.cpp $(pkg-config --cflags --libs quirvane)
"$work/consumer-pc"

echo "check-installed-packages.sh: the installed packages work"
