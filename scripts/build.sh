#!/usr/bin/env bash
# Configures and builds into build/ (the window, varnoth-bench and the tests).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DVARNOTH_BUILD_GUI=ON "$@" >/dev/null
cmake --build build
