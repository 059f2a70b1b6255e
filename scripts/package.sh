#!/usr/bin/env bash
# Builds the Debian package of VF Turn Entry into dist/ (dependencies found by dpkg-shlibdeps).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Debian's hardening flags, as a package of the archive is built with.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_INSTALL_BINDIR=games \
    -DCPACK_GENERATOR=DEB -DCPACK_STRIP_FILES=ON \
    -DCPACK_DEBIAN_FILE_NAME=DEB-DEFAULT \
    -DCPACK_DEBIAN_PACKAGE_SHLIBDEPS=ON \
    -DCPACK_DEBIAN_PACKAGE_SECTION=games \
    -DCPACK_DEBIAN_PACKAGE_DEPENDS=libqt6sql6-sqlite >/dev/null
cmake --build build-package --parallel "$(nproc)"
(cd build-package && cpack -B "$PWD/../dist" >/dev/null)
rm -rf dist/_CPack_Packages
ls dist/*.deb
