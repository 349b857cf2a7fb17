#!/usr/bin/env bash
# Installs what is missing, builds a Release tree in build-pkg and makes the
# Debian package there; prints the package's path. Install it with
#   sudo apt install ./build-pkg/ktr84-upgrader_*.deb
# A depot names itself as the package's maintainer with
#   KTR84_PACKAGE_MAINTAINER="Depot Name <depot@example.com>" scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${KTR84_PKG_DIR:-build-pkg}
# /usr as the package installs it, so the help page's fixed path is right too.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    ${KTR84_PACKAGE_MAINTAINER:+"-DKTR84_PACKAGE_MAINTAINER=$KTR84_PACKAGE_MAINTAINER"} >/dev/null
# Everything, so that every program an install rule names is there.
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/ktr84-upgrader_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$PWD/$build"/ktr84-upgrader_*.deb
