#!/usr/bin/env bash
# Installs what is missing and builds the browser page, one file: build/web/tessarion.html.
# With --tests it builds the core's test cases for WebAssembly as well.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_packages "${web_packages[@]}"
# Debian's emscripten finds its acorn there when node is not Debian's own.
export NODE_PATH=/usr/share/nodejs
targets=(tessarion_page)
[[ ${1:-} == --tests ]] && targets+=(core_tests core_model_tests)
emcmake cmake -S . -B build/web -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/web --target "${targets[@]}" -j "$(nproc)"
echo "$(pwd)/build/web/tessarion.html"
