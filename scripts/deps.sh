#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, if any is missing
# (the package tests use dpkg-dev, desktop-file-utils, appstream, man-db and lintian).
set -euo pipefail
packages=(cmake g++ make qt6-base-dev libgl-dev libgtest-dev libgmock-dev zlib1g-dev nlohmann-json3-dev srecord u-boot-tools xdg-utils dbus-daemon
          fontconfig fonts-dejavu-core ansible-core
          dpkg-dev desktop-file-utils appstream groff-base man-db gzip lintian)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
