#!/usr/bin/env bash
# Cross-builds VF Turn Entry for 64-bit Windows (MinGW-w64, posix threads) against the
# libraries of scripts/build-windows-deps.sh, with its reader and its tests, and makes
#   dist/vfturn-<version>-windows-x64.zip   a folder that runs where it is unpacked
#   dist/vfturn-<version>-setup.exe         an installer (per user, no administrator needed)
# The build is in build-windows/, the folder that is packed in build-windows/stage/.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
source scripts/windows-env.sh
prefix=$VFTURN_WINDOWS_DEPS
if [ ! -e "$windows_deps_complete" ]; then
    echo "The Windows dependencies are not in $prefix; run scripts/build-windows-deps.sh first." >&2
    exit 1
fi
install_windows_build_tools
started=$SECONDS
build=build-windows
version=$(sed -n 's/^project(VFTurnEntry VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# Boost.Graph is headers only: the build sees Debian's Boost headers alone, through a folder
# of its own (not /usr/include, whose system headers are Linux's).
boost_include="$build/boost-include"
mkdir -p "$boost_include" && ln -sfn /usr/include/boost "$boost_include/boost"
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
export PKG_CONFIG_PATH=
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$windows_toolchain" -DCMAKE_PREFIX_PATH="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DVFTURN_DEVELOPER_TOOLS=OFF -DVFTURN_TEST_DATA_DIR="Z:$repo/tests/data" \
    -DVFTURN_BOOST_INCLUDE_DIR="$repo/$boost_include" >/dev/null
cmake --build "$build" --parallel "${VFTURN_JOBS:-$(nproc)}"

# The folder: the program and its reader, the DLLs they import (followed import by import),
# and the Qt plugins they load.
stage="$build/stage/vfturn-$version"
rm -rf "$build/stage" && mkdir -p "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
gcc_runtime=$(dirname "$("$windows_triplet-g++-posix" -print-libgcc-file-name)")
dll_folders=("$prefix/bin" "$gcc_runtime" "/usr/$windows_triplet/lib")
plugins=(platforms/qwindows.dll platforms/qoffscreen.dll platforms/qminimal.dll
         styles/qwindowsvistastyle.dll sqldrivers/qsqlite.dll)
for plugin in "${plugins[@]}"; do
    mkdir -p "$stage/$(dirname "$plugin")"
    cp "$prefix/plugins/$plugin" "$stage/$plugin"
done
scripts/windows/deploy-dlls.sh "$stage" "${dll_folders[@]}"
find "$stage" \( -name '*.exe' -o -name '*.dll' \) -exec "$windows_triplet-strip" --strip-unneeded {} +
printf '[Paths]\nPrefix = .\nPlugins = .\n' >"$stage/qt.conf"
cp LICENSE "$stage/LICENSE.txt" 2>/dev/null || true
sed 's/$/\r/' README.md >"$stage/README.txt"

mkdir -p dist
zip_file="dist/vfturn-$version-windows-x64.zip"
rm -f "$zip_file"
(cd "$build/stage" && zip -qr "$repo/$zip_file" "vfturn-$version")
setup="dist/vfturn-$version-setup.exe"
makensis -V2 -DVERSION="$version" -DSTAGE="$repo/$stage" -DOUTFILE="$repo/$setup" \
    -DICON="$repo/data/windows/vfturn.ico" scripts/windows/installer.nsi
echo "Built in $(format_duration $((SECONDS - started))): $stage ($(du -sm "$stage" | cut -f1) MB)," \
    "$zip_file ($(du -m "$zip_file" | cut -f1) MB), $setup ($(du -m "$setup" | cut -f1) MB)."
