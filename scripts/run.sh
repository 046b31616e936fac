#!/usr/bin/env bash
# Installs what is missing, builds a release build and opens the Tessarion window.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_packages "${build_packages[@]}"
cmake --preset release >/dev/null
# Only the program and what it links: the tests and tools would take most of the time.
cmake --build --preset release --target tessarion -j "$(nproc)"
exec build/release/tessarion
