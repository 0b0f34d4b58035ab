#!/usr/bin/env bash
# Makes docs/report.png: the HTML report of the bundled sample log (the top
# eight rows of each list), as headless Chromium draws it.
# Usage: scripts/report-screenshot.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
[ -d "$build" ] || { scripts/deps.sh; cmake -S . -B "$build" -G Ninja >/dev/null; }
cmake --build "$build" --target varnoth-report >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
LC_ALL=C.UTF-8 "$build/varnoth-report" --format html --top 8 --output "$work/report.html" samples/uploads.log
mkdir -p docs
chromium --headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update \
  --disable-sync --no-first-run --user-data-dir="$work/profile" --hide-scrollbars --window-size=1000,2150 \
  --screenshot="$PWD/docs/report.png" "file://$work/report.html" >/dev/null 2>&1
echo "docs/report.png written"
