#!/usr/bin/env bash
# Makes the README's pictures on a virtual 1920 x 1080 screen (xvfb-run),
# with a window manager (openbox) for the title bars, taken with
# ImageMagick's import: docs/screenshot.png, the window maximised after an
# analysis of the bundled sample log, and docs/activity.png, its activity
# window with a few weeks selected.
# Usage: scripts/screenshot.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
scripts/deps.sh openbox
[ -x "$build/varnoth-screenshot" ] || cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target varnoth-screenshot >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
printf 'Quillon ini file 1\r\n%s\r\n 0 \r\n' "$PWD/samples/uploads.log" > "$work/quillon.ini"
mkdir -p docs

xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  set -euo pipefail
  program=$1 work=$2
  openbox >/dev/null 2>&1 & wm=$!
  sleep 1
  # picture OUTPUT [--activity]: the window (or the activity window) once ready.
  picture() {
    rm -f "$work/ready"
    LC_ALL=C.UTF-8 "$program" "$work" "$work/ready" "${@:2}" & pid=$!
    for _ in $(seq 200); do [ -s "$work/ready" ] && break; sleep 0.1; done
    sleep 0.5
    import -window root -crop "$(cat "$work/ready")" +repage "$1"
    kill "$pid"
    wait "$pid" || true
  }
  picture "$3"
  picture "$4" --activity
  kill "$wm"
' _ "$PWD/$build/varnoth-screenshot" "$work" "$PWD/docs/screenshot.png" "$PWD/docs/activity.png"
echo "docs/screenshot.png and docs/activity.png written"
