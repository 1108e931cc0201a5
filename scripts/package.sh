#!/usr/bin/env bash
# Builds Tarvik.exe and writes the portable zip for Windows users:
#   build/package/Tarvik-<version>-win64.zip   (Tarvik.exe, resources\, README.txt)
#
# The zip is made from the Windows build the tests run (build/windows, optimised, debugging
# symbols stripped on the way into the zip), so what ships is what was tested.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
. scripts/lib/deps.sh

tarvik_install_packages "${TARVIK_BUILD_PACKAGES[@]}" || { echo "package installation failed"; exit 1; }
mkdir -p build/logs
cmake --preset windows >/dev/null &&
    cmake --build --preset windows --target Tarvik &&
    cpack --preset windows >build/logs/package.log 2>&1 ||
    { cat build/logs/package.log 2>/dev/null; exit 1; }
sed -nE 's/.*package: (.*\.zip) generated.*/Package: \1/p' build/logs/package.log
