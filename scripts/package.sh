#!/usr/bin/env bash
# Builds the Debian package: an optimised build of its own (installed under /usr, with Debian's hardening
# flags), packed by CPack into dist/tessaroven_VERSION-REVISION_ARCH.deb. Install it with
#   sudo apt-get install ./dist/tessaroven_*.deb
# PACKAGE_BUILD_DIR chooses the build folder (default build/package), PACKAGE_JOBS the build jobs (default: all
# cores).
set -euo pipefail
cd "$(dirname "$0")/.."

build="${PACKAGE_BUILD_DIR:-build/package}"
jobs="${PACKAGE_JOBS:-$(nproc)}"

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DBUILD_TESTING=OFF -DTESSAROVEN_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$jobs"

rm -rf dist
mkdir -p dist
cpack --config "$build/CPackConfig.cmake" -B "$PWD/$build/cpack" >/dev/null
mv "$build"/cpack/tessaroven_*.deb dist/
ls -l dist/
