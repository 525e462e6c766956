#!/usr/bin/env bash
# Checks the packages scripts/package.sh wrote into build/: each holds its
# files where Debian, man, bash and the desktop look for them; libquirvane-dev
# holds only the development files, and the two together hold exactly what
# `cmake --install build-package` puts in place, so that a file installed in
# any other component lands in quirvane; the control fields name the
# project's version, this machine's architecture and what the window needs.
set -euo pipefail
cd "$(dirname "$0")/.."

project_version=$(sed -n 's/^project(Quirvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
failures=0
fail() {
  echo "check-packages.sh: $*" >&2
  failures=$((failures + 1))
}

# The one .deb of a package in build/.
deb_of() {
  local found=(build/"$1"_"$project_version"-*_"$arch".deb)
  if [ ${#found[@]} -ne 1 ] || [ ! -f "${found[0]}" ]; then
    echo "check-packages.sh: no single build/$1_${project_version}-*_$arch.deb" >&2
    exit 1
  fi
  echo "${found[0]}"
}
runtime_deb=$(deb_of quirvane)
dev_deb=$(deb_of libquirvane-dev)

# Paths of the files (not folders) in a package, without the leading "./".
files_of() {
  dpkg-deb -c "$1" | awk '{print $6}' | grep -v '/$' | sed 's|^\./||' | sort
}
files_of "$runtime_deb" >build-package/runtime-files
files_of "$dev_deb" >build-package/dev-files

expect_files() {
  local list=$1
  shift
  for path in "$@"; do
    grep -qxF "$path" "$list" || fail "$list: $path is missing"
  done
}
expect_files build-package/runtime-files \
  usr/bin/quirvane usr/bin/quirvane-encode \
  usr/share/applications/quirvane.desktop \
  usr/share/icons/hicolor/scalable/apps/quirvane.svg \
  usr/share/icons/hicolor/32x32/apps/quirvane.png \
  usr/share/icons/hicolor/48x48/apps/quirvane.png \
  usr/share/icons/hicolor/128x128/apps/quirvane.png \
  usr/share/man/man1/quirvane.1.gz usr/share/man/man1/quirvane-encode.1.gz \
  usr/share/man/ja/man1/quirvane.1.gz \
  usr/share/bash-completion/completions/quirvane-encode \
  usr/share/doc/quirvane/copyright usr/share/doc/quirvane/changelog.Debian.gz
expect_files build-package/dev-files \
  usr/include/quirvane/encoder.h usr/include/quirvane/version.h \
  "usr/lib/$multiarch/libquirvane.a" \
  "usr/lib/$multiarch/cmake/Quirvane/QuirvaneConfig.cmake" \
  "usr/lib/$multiarch/cmake/Quirvane/QuirvaneConfigVersion.cmake" \
  "usr/lib/$multiarch/cmake/Quirvane/QuirvaneTargets.cmake" \
  "usr/lib/$multiarch/pkgconfig/quirvane.pc" \
  usr/share/doc/libquirvane-dev/copyright usr/share/doc/libquirvane-dev/changelog.Debian.gz

dev_only="^(usr/include/quirvane/|usr/lib/$multiarch/(libquirvane\.a|cmake/Quirvane/|pkgconfig/quirvane\.pc)|usr/share/doc/libquirvane-dev/)"
if foreign=$(grep -vE "$dev_only" build-package/dev-files); then
  fail "libquirvane-dev holds files of the programs: $(echo "$foreign" | tr '\n' ' ')"
fi

# Together, exactly what the build installs, each file in one package only.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install build-package --prefix "$stage/usr" >/dev/null
(cd "$stage" && find . ! -type d | sed 's|^\./||' | sort) >build-package/installed-files
sort build-package/runtime-files build-package/dev-files >build-package/packaged-files
if [ -n "$(uniq -d build-package/packaged-files)" ]; then
  fail "in both packages: $(uniq -d build-package/packaged-files | tr '\n' ' ')"
fi
if ! diff -u build-package/installed-files build-package/packaged-files >&2; then
  fail "the packages do not hold what cmake --install installs (- installed only, + packaged only)"
fi

# The first line of a field's value must match an extended regular expression.
expect_field() {
  local deb=$1 field=$2 pattern=$3 value
  value=$(dpkg-deb -f "$deb" "$field" | head -n 1)
  [[ $value =~ $pattern ]] || fail "$deb: $field is '$value', not matching /$pattern/"
}
for deb in "$runtime_deb" "$dev_deb"; do
  expect_field "$deb" Version "^${project_version//./\\.}-[0-9]+$"
  expect_field "$deb" Architecture "^$arch$"
  expect_field "$deb" Maintainer '^[^<>]+ <[^<>@]+@[^<>@]+>$'
  # A synopsis line, then a longer description.
  expect_field "$deb" Description '^[^ ].{9,79}$'
  [ "$(dpkg-deb -f "$deb" Description | wc -l)" -ge 3 ] || fail "$deb: no long description"
done
expect_field "$runtime_deb" Package '^quirvane$'
expect_field "$runtime_deb" Section '^graphics$'
expect_field "$dev_deb" Package '^libquirvane-dev$'
expect_field "$dev_deb" Section '^libdevel$'
# What the window loads by name, and what dpkg-shlibdeps found in the binaries.
for dependency in fonts-ipafont-gothic qt6-translations-l10n qt6-qpa-plugins \
  libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
  expect_field "$runtime_deb" Depends "(^|, )$dependency( \(|,|$)"
done

if [ "$failures" -ne 0 ]; then
  echo "check-packages.sh: $failures problem(s)" >&2
  exit 1
fi
echo "check-packages.sh: $(basename "$runtime_deb") and $(basename "$dev_deb") hold what they should"
