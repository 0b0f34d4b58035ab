#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# --- Install check (packaging/check-install.sh) ---
# Installs build/ into a temporary prefix, validates the menu entry and the
# AppStream metainfo, and runs the installed program as an ordinary user to
# check where it keeps its settings file.
cd ..
packaging/check-install.sh build
