#!/usr/bin/env bash
# Makes docs/screenshot.png: the window after an analysis of the bundled
# sample log, on a virtual screen (xvfb-run), pictured with ImageMagick.
# Usage: scripts/screenshot.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
[ -x "$build/varnoth-screenshot" ] || { scripts/deps.sh; cmake -S . -B "$build" -G Ninja >/dev/null; }
cmake --build "$build" --target varnoth-screenshot >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
printf 'Quillon ini file 1\r\n%s\r\n 0 \r\n' "$PWD/samples/uploads.log" > "$work/quillon.ini"
mkdir -p docs

xvfb-run -a -s "-screen 0 1100x700x24" bash -c '
  set -euo pipefail
  LC_ALL=C.UTF-8 "$1" "$2" "$2/ready" & pid=$!
  for _ in $(seq 200); do [ -s "$2/ready" ] && break; sleep 0.1; done
  sleep 0.5
  import -window root -crop "$(cat "$2/ready")" +repage "$3"
  kill "$pid"
' _ "$PWD/$build/varnoth-screenshot" "$work" "$PWD/docs/screenshot.png"
echo "docs/screenshot.png written"
