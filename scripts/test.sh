#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the Linux
# build, then the Windows build (scripts/build-windows.sh), whose whole runs
# under Wine are cases of the Linux suite, and its own tests under Wine.
# KTR84_SKIP_WINDOWS=1 leaves the Windows part out, for a quick loop; CI
# never sets it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${KTR84_BUILD_DIR:-build}
win_build=${KTR84_WIN_BUILD_DIR:-build-win}
windows=1
[ "${KTR84_SKIP_WINDOWS:-}" = 1 ] && windows=0
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=${KTR84_BUILD_TYPE:-RelWithDebInfo} \
    -DKTR84_WINDOWS_BUILD="$(realpath -m "$win_build")" ${KTR84_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
if [ $windows = 1 ]; then
    KTR84_WIN_BUILD_DIR=$win_build scripts/build-windows.sh
else
    echo "KTR84_SKIP_WINDOWS=1: the Windows build and its tests are left out"
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 900
if [ $windows = 1 ]; then
    ctest --test-dir "$win_build" --output-on-failure -j"$(nproc)" --timeout 900 -L windows
fi
