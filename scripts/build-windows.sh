#!/usr/bin/env bash
# Builds the Windows edition into build-win/ (KTR84_WIN_BUILD_DIR): installs
# what it needs, builds the build-time programs natively (build-win/host/),
# then cross-compiles with MinGW-w64. Its tests run under Wine, in a private
# prefix the first test creates (build-win/wineprefix):
#   ctest --test-dir build-win -j2        (all of them carry the label windows)
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(cmake make g++ zlib1g-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          libz-mingw-w64-dev googletest nlohmann-json3-dev wine wine64 nsis xvfb xauth imagemagick)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build=${KTR84_WIN_BUILD_DIR:-build-win}
jobs=${KTR84_JOBS:-$(nproc)}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build/host" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKTR84_HOST_TOOLS_ONLY=ON "${launcher[@]}" >/dev/null
cmake --build "$build/host" -j"$jobs" --target ktr84-srecgen ktr84-srecheck ktr84-farend \
    ktr84-icogen ktr84-modsim
host_tools=$(cd "$build/host" && pwd)/bin
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=${KTR84_BUILD_TYPE:-RelWithDebInfo} \
    -DKTR84_HOST_TOOLS="$host_tools" "${launcher[@]}" ${KTR84_WIN_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$jobs"
