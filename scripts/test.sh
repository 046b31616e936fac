#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless through ctest.
# With --asan it does the same under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_packages "${build_packages[@]}" "${test_packages[@]}"
preset=dev
[[ ${1:-} == --asan ]] && preset=asan
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset" -j "$(nproc)"
