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
if [[ $preset == asan ]]; then
    # The browser build has no sanitizers; its tests ran in the plain run.
    ctest --preset "$preset" -j "$(nproc)" -LE web
    exit
fi
# The browser page, the core's cases for WebAssembly, and the page test's pinned packages.
bash scripts/web.sh --tests
command -v npm >/dev/null || install_packages npm
npm ci --prefix tests/web --no-audit --no-fund >/dev/null
ctest --preset "$preset" -j "$(nproc)"
