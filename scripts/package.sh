#!/usr/bin/env bash
# Builds the Debian packages quirvane and libquirvane-dev and writes them into
# build/. The programs are built in build-package/ (Release, installed under
# /usr, with Debian's hardening flags), apart from build/ so that the
# packaging settings never reach the tree the tests and `cmake --install
# build` use. Further arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -eq 0 ]; then
  bash scripts/install-deps.sh
fi

# The date in the manual pages and the changelog is the last commit's, not
# the day of the build, so that the same sources give the same pages.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
export SOURCE_DATE_EPOCH

# The flags a Debian package is built with, without -g: the binaries are
# stripped anyway.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DQUIRVANE_PACKAGE=ON -DQUIRVANE_BUILD_TESTS=OFF -DQUIRVANE_BUILD_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "$@"
cmake --build build-package -j "$(nproc)"

rm -rf build-package/packages
cpack -G DEB --config build-package/CPackConfig.cmake -B build-package/packages
mkdir -p build
rm -f build/quirvane_*.deb build/libquirvane-dev_*.deb
mv build-package/packages/*.deb build/
ls -l build/*.deb
