#!/usr/bin/env bash
# Builds the Windows edition (scripts/build-windows.sh, which installs nsis),
# makes its installer and portable zip, and prints their paths:
#   build-win/ktr84-upgrader-<version>-setup.exe    the installer (/S: silently)
#   build-win/ktr84-upgrader-<version>-windows.zip  the same files, to run from any folder
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh
build=${KTR84_WIN_BUILD_DIR:-build-win}
cmake --build "$build" --target ktr84-windows-package
list=$build/windows-package.txt
while read -r file; do
    [ -f "$file" ] || { echo "missing: $file" >&2; exit 1; }
    echo "$file"
done <"$list"
