#!/usr/bin/env bash
# Builds, once, what the Windows build of VF Turn Entry links, from Debian 12's own source
# packages, into $VFTURN_WINDOWS_DEPS (see scripts/windows-env.sh):
#   SQLite as a DLL (sqlite3), libmdb as a DLL (mdbtools, without glib and iconv), and
#   Qt 6.4.2 (qt6-base): Core, Gui, Widgets, Sql with SQLite, Test, the windows, offscreen
#   and minimal platform plugins and the Windows style; host tools from Debian's native Qt;
#   and Qt SVG 6.4.2 (qt6-svg), which the warp map is saved and read back through.
# Takes about 45 minutes on two cores. Run again once complete, it does nothing; after a
# failure it goes on from the part that failed.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
source scripts/windows-env.sh
prefix=$VFTURN_WINDOWS_DEPS

if [ -e "$windows_deps_complete" ]; then
    echo "The Windows dependencies are complete in $prefix; nothing to do."
    exit 0
fi

install_windows_build_tools dpkg-dev autoconf automake libtool make tcl patch
work="$prefix.work"
stamps="$prefix/.parts"
mkdir -p "$prefix"/{bin,lib/pkgconfig,include} "$stamps" "$work/logs"
jobs="${VFTURN_JOBS:-$(nproc)}"
started=$SECONDS

# Each part writes into its own log; a failure shows the end of it.
part_log=
show_failed_log() {
    local status=$?
    if [ "$status" -ne 0 ] && [ -n "$part_log" ]; then
        echo "failed; the last lines of $part_log:" >&2
        tail -n 40 "$part_log" >&2
    fi
}
trap show_failed_log EXIT

# apt with a private configuration that has Debian's source indexes; the machine's own apt
# sources stay as they are.
apt_private() {
    local dir="$work/apt"
    if [ ! -e "$dir/sources.list" ]; then
        mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial" "$dir/parts"
        local key=/usr/share/keyrings/debian-archive-keyring.gpg
        cat >"$dir/sources.list" <<EOF
deb-src [signed-by=$key] http://deb.debian.org/debian bookworm main
deb-src [signed-by=$key] http://deb.debian.org/debian trixie main
EOF
    fi
    apt-get -o Dir::Etc::SourceList="$dir/sources.list" -o Dir::Etc::SourceParts="$dir/parts" \
        -o Dir::State::Lists="$dir/lists" -o Dir::Cache="$dir/cache" \
        -o APT::Sandbox::User=root "$@"
}

# Fetches and unpacks a source package (package/suite) into $work/src/<package>. apt checks
# every file against the signed index. Where the archive has lost the .dsc but still has the
# tarballs, they are unpacked and Debian's patches applied by hand.
fetch_source() {
    local spec=$1 name=${1%/*}
    local dir="$work/src/$name"
    rm -rf "$dir" && mkdir -p "$dir"
    [ -e "$work/apt/lists/.updated" ] || { apt_private update && touch "$work/apt/lists/.updated"; }
    (cd "$dir" && apt_private source --download-only "$spec") || true
    local dsc
    dsc=$(find "$dir" -maxdepth 1 -name '*.dsc' | head -n 1)
    if [ -n "$dsc" ]; then
        (cd "$dir" && dpkg-source --no-check -x "$(basename "$dsc")" tree)
    else
        local orig debian
        orig=$(find "$dir" -maxdepth 1 -name '*.orig.tar.*' | head -n 1)
        debian=$(find "$dir" -maxdepth 1 -name '*.debian.tar.*' | head -n 1)
        [ -n "$orig" ] && [ -n "$debian" ] || { echo "could not fetch the source of $spec" >&2; return 1; }
        mkdir "$dir/tree"
        tar -xf "$orig" -C "$dir/tree" --strip-components=1
        tar -xf "$debian" -C "$dir/tree"
        if [ -s "$dir/tree/debian/patches/series" ]; then
            local p
            grep -v '^#' "$dir/tree/debian/patches/series" | while read -r p _; do
                [ -n "$p" ] && patch -d "$dir/tree" -p1 <"$dir/tree/debian/patches/$p"
            done
        fi
    fi
}

part_done() { [ -e "$stamps/$1" ]; }
mark_done() { date -u +%FT%TZ >"$stamps/$1"; }

# SQLite: the amalgamation made from Debian's source tree with the native tools, then built
# as a DLL with Debian's own compile options.
build_sqlite() {
    fetch_source sqlite3/bookworm
    local tree="$work/src/sqlite3/tree"
    mkdir -p "$tree/native"
    (cd "$tree/native" && ../configure --disable-tcl && make sqlite3.c)
    local flags
    flags=$(sed -n '/^export CFLAGS += -O2/,/^$/p' "$tree/debian/rules" | grep -o -- '-D[A-Z_0-9]*\(=[0-9]*\)\?')
    # shellcheck disable=SC2086
    "$windows_triplet-gcc-posix" -O2 -fno-strict-aliasing $flags -shared \
        -o "$prefix/bin/libsqlite3-0.dll" "$tree/native/sqlite3.c" \
        -Wl,--out-implib,"$prefix/lib/libsqlite3.dll.a"
    cp "$tree/native/sqlite3.h" "$tree/native/sqlite3ext.h" "$prefix/include/"
    local version
    version=$(cat "$tree/VERSION")
    cat >"$prefix/lib/pkgconfig/sqlite3.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: SQLite
Description: SQL database engine
Version: $version
Libs: -L\${libdir} -lsqlite3
Cflags: -I\${includedir}
EOF
}

# libmdb: mdbtools with its own small glib stand-in and no iconv; text comes out as UTF-8
# through Windows' own conversion (scripts/windows/mdbtools-1.0.1-mingw.patch).
build_mdbtools() {
    fetch_source mdbtools/trixie
    local tree="$work/src/mdbtools/tree"
    patch -d "$tree" -p1 <"$repo/scripts/windows/mdbtools-1.0.1-mingw.patch"
    (cd "$tree" && autoreconf -fi)
    (cd "$tree" && ./configure --host="$windows_triplet" --prefix="$prefix" \
        --disable-glib --disable-iconv --disable-man \
        CC="$windows_triplet-gcc-posix" CFLAGS="-O2")
    make -C "$tree/src/libmdb" -j"$jobs"
    make -C "$tree/src/libmdb" install
    make -C "$tree/include" install
    sed -e '/^Requires:/d' "$tree/libmdb.pc" >"$prefix/lib/pkgconfig/libmdb.pc"
}

# Qt 6.4.2 from Debian's qt6-base source, cross-built with MinGW; the host tools (moc, rcc,
# uic) are Debian's native ones. The tablet support is left out: its Windows header was
# removed from Debian's source. Direct2D is left out with its plugin, and so is DirectWrite,
# which Qt 6.4 builds only together with Direct2D: fonts are drawn through GDI. A build that
# stopped goes on where it stopped.
build_qt() {
    local tree="$work/src/qt6-base/tree"
    [ -e "$tree/configure" ] || fetch_source qt6-base/bookworm
    [ -e "$tree/build/build.ninja" ] || configure_qt "$tree"
    nice cmake --build "$tree/build" --parallel "$jobs"
    cmake --install "$tree/build"
}

configure_qt() {
    local tree=$1
    rm -rf "$tree/build" && mkdir -p "$tree/build"
    (cd "$tree/build" && ../configure -prefix "$prefix" \
        -xplatform win32-g++ -device-option CROSS_COMPILE="$windows_triplet-" \
        -release -shared -no-opengl -no-dbus -no-icu \
        -no-feature-network -no-feature-xml -no-feature-printsupport -no-feature-concurrent \
        -no-feature-tabletevent -no-feature-direct2d -no-feature-directwrite \
        -sql-sqlite -system-sqlite -no-sql-odbc -no-sql-psql -no-sql-mysql -no-sql-ibase \
        -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-freetype -qt-doubleconversion \
        -nomake examples -nomake tests -qt-host-path /usr -- \
        -DCMAKE_TOOLCHAIN_FILE="$windows_toolchain" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DSQLite3_INCLUDE_DIR="$prefix/include" \
        -DSQLite3_LIBRARY="$prefix/lib/libsqlite3.dll.a")
}

# Qt SVG from Debian's qt6-svg source, built against the Qt above.
build_qtsvg() {
    fetch_source qt6-svg/bookworm
    local tree="$work/src/qt6-svg/tree"
    rm -rf "$tree/build"
    cmake -S "$tree" -B "$tree/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$windows_toolchain" -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    nice cmake --build "$tree/build" --parallel "$jobs"
    cmake --install "$tree/build"
}

for part in sqlite mdbtools qt; do
    if part_done "$part"; then
        echo "$part: already built"
        continue
    fi
    part_started=$SECONDS
    part_log="$work/logs/$part.log"
    echo "$part: building (log: $part_log)"
    "build_$part" >>"$part_log" 2>&1
    part_log=
    mark_done "$part"
    echo "$part: built in $(format_duration $((SECONDS - part_started)))"
done

# Qt SVG only writes the warp map as SVG: where its source cannot be had or built, the Windows
# build goes without it and saves the map as PNG only, and says so here.
if part_done qtsvg; then
    echo "qtsvg: already built"
elif (build_qtsvg >>"$work/logs/qtsvg.log" 2>&1); then
    mark_done qtsvg
    echo "qtsvg: built"
else
    echo "qtsvg: could not be built (log: $work/logs/qtsvg.log); the Windows build saves the" \
        "warp map as PNG only" >&2
fi

{
    echo "recipe=$windows_deps_recipe"
    echo "built=$(date -u +%FT%TZ)"
    echo "seconds=$((SECONDS - started))"
} >"$windows_deps_complete"
[ "${VFTURN_KEEP_WORK:-0}" = 1 ] || rm -rf "$work"
echo "The Windows dependencies were built in $(format_duration $((SECONDS - started))) into" \
    "$prefix ($(du -sm "$prefix" | cut -f1) MB)."
