#!/usr/bin/env bash
# Builds the Debian package of VF Turn Entry into dist/ (dependencies found by dpkg-shlibdeps).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCPACK_GENERATOR=DEB \
    -DCPACK_DEBIAN_FILE_NAME=DEB-DEFAULT \
    -DCPACK_DEBIAN_PACKAGE_SHLIBDEPS=ON \
    -DCPACK_DEBIAN_PACKAGE_SECTION=games \
    -DCPACK_DEBIAN_PACKAGE_DEPENDS=libqt6sql6-sqlite >/dev/null
cmake --build build-package --parallel "$(nproc)"
(cd build-package && cpack -B "$PWD/../dist" >/dev/null)
rm -rf dist/_CPack_Packages
ls dist/*.deb
