#!/usr/bin/env bash
# Builds the Debian package r57_VERSION_ARCH.deb into build/package/ (or the folder
# given), after installing what is missing and building. Its Depends are worked out
# by dpkg-shlibdeps from the libraries the programs use.
#
#   bash scripts/package.sh [FOLDER]
#   sudo apt install ./build/package/r57_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/package}
bash scripts/setup.sh
bash scripts/build.sh
mkdir -p "$out"
cpack -G DEB -B "$out" --config build/CPackConfig.cmake
rm -rf "$out/_CPack_Packages"
ls "$out"/r57_*.deb
