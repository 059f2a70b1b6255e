# Settings shared by the Windows build scripts; sourced, not run.
# The libraries the Windows build links (Qt, SQLite, libmdb) live in VFTURN_WINDOWS_DEPS,
# a folder outside the repository; its name changes whenever their recipe does.
windows_deps_recipe=qt6.4.2-r2
export VFTURN_WINDOWS_DEPS="${VFTURN_WINDOWS_DEPS:-$HOME/.cache/vfturn/windows-deps-$windows_deps_recipe}"
windows_triplet=x86_64-w64-mingw32
windows_toolchain="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/cmake/mingw-w64-x86_64.cmake"
windows_deps_complete="$VFTURN_WINDOWS_DEPS/.complete"

# The Debian packages the Windows build and its tests need, installed when missing.
install_windows_build_tools() {
    local packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
                    binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev cmake ninja-build
                    pkg-config qt6-base-dev qt6-base-dev-tools libboost-graph-dev wine wine64 nsis zip unzip
                    xvfb xauth "$@")
    local missing=() p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends \
        "${missing[@]}"
}

# Seconds as "12 min 5 s".
format_duration() {
    printf '%d min %d s' $(($1 / 60)) $(($1 % 60))
}
