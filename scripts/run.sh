#!/usr/bin/env bash
# Installs what is missing, builds, and opens Varnoth ready to analyse the
# bundled sample log. On a first start (no settings file beside the program)
# a settings file naming the sample is written; an existing one is kept.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
if [ ! -f build/quillon.ini ]; then
  printf 'Quillon ini file 1\r\n%s\r\n 0 \r\n' "$PWD/samples/uploads.log" > build/quillon.ini
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found; starting Varnoth on a virtual one (xvfb-run)." >&2
  exec xvfb-run -a build/varnoth
fi
exec build/varnoth
