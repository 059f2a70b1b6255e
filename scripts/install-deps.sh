#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need, when missing.
set -euo pipefail
packages=(g++ cmake make pkg-config qt6-base-dev qt6-base-private-dev qt6-svg-dev libqt6sql6-sqlite libsqlite3-dev
          mdbtools-dev libglib2.0-dev libboost-graph-dev xvfb xauth
          desktop-file-utils appstream dpkg-dev file)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
